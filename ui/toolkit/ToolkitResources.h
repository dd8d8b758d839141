#pragma once

// Resource ids of the toolkit's own templates; the program's resources must not reuse them.
#define IDD_MESSAGE_PROMPT      232
#define IDC_PROMPT_ICON         1181
#define IDC_PROMPT_TEXT         1182
