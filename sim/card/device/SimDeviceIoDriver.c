/* The device-I/O family's driver as Windows loads it: one device per card of the prefix, under
 * the path the system's device-interface search builds from the card's instance id
 * (ROOT\SIMDEVIO\000n), so a program reaches it through CreateFile and DeviceIoControl. Each
 * control goes to the card module's SimDeviceControl, which answers as the card's core does.
 * The driver imports that module, found beside it, and the kernel only: a driver that imports
 * a system library is taken for an ordinary library, and its entry is called as one. */
#include <ntddk.h>

/* As many as the prefix can hold (SIM_MAX_CARDS). */
#define SIM_CARDS 10
#define SIM_MAX_REQUEST 512
/* Where the card's digit stands in the device's name and in its link. */
enum { kDeviceDigit = 16, kLinkDigit = 21 };

/* The card module's answer to one control: 0 or a Win32 error. */
ULONG NTAPI SimDeviceControl(ULONG card, ULONG code, const UCHAR* in, ULONG inSize,
                             UCHAR* out, ULONG outSize, ULONG* returned);

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI OpenOrClose(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* Every control is buffered: the request is copied out of the system buffer before the reply
 * is written over it. A failure carries the card's Win32 error, which DeviceIoControl hands
 * back through GetLastError. */
static NTSTATUS NTAPI Control(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    ULONG card = *(ULONG*)device->DeviceExtension;
    ULONG inSize = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outSize = stack->Parameters.DeviceIoControl.OutputBufferLength;
    UCHAR* buffer = (UCHAR*)irp->AssociatedIrp.SystemBuffer;
    UCHAR request[SIM_MAX_REQUEST];
    ULONG returned = 0;
    ULONG error;
    if (inSize > sizeof(request))
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    if (inSize)
        RtlCopyMemory(request, buffer, inSize);
    error = SimDeviceControl(card, stack->Parameters.DeviceIoControl.IoControlCode, inSize ? request : NULL, inSize,
                             outSize ? buffer : NULL, outSize, &returned);
    /* The status of the Win32 facility: the system hands its low word back as the error. */
    if (error)
        return Complete(irp, (NTSTATUS)(0xC0070000 | (error & 0xFFFF)), 0);
    return Complete(irp, STATUS_SUCCESS, returned <= outSize ? returned : outSize);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    ULONG card;
    (void)registryPath;
    driver->MajorFunction[IRP_MJ_CREATE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Control;
    for (card = 0; card < SIM_CARDS; ++card) {
        WCHAR deviceName[] = L"\\Device\\SimDevIo0";
        WCHAR linkName[] = L"\\??\\root#simdevio#0000#{4f397d29-7f2f-42a9-ab90-1791384014c4}";
        UNICODE_STRING deviceString, linkString;
        PDEVICE_OBJECT device;
        deviceName[kDeviceDigit] = linkName[kLinkDigit] = (WCHAR)(L'0' + card);
        RtlInitUnicodeString(&deviceString, deviceName);
        RtlInitUnicodeString(&linkString, linkName);
        if (!NT_SUCCESS(IoCreateDevice(driver, sizeof(ULONG), &deviceString, FILE_DEVICE_UNKNOWN, 0, FALSE, &device)))
            return STATUS_UNSUCCESSFUL;
        *(ULONG*)device->DeviceExtension = card;
        device->Flags |= DO_BUFFERED_IO;
        device->Flags &= ~DO_DEVICE_INITIALIZING;
        IoCreateSymbolicLink(&linkString, &deviceString);
    }
    return STATUS_SUCCESS;
}
