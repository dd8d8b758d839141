// String resources of afx_tests (AfxTests.rc).
#pragma once

#define IDS_SHORT 101
// 255 'x', then a character whose trail byte is '\\' across bytes 255-256, 200 'y' and a
// second such character: longer than LoadStringA's usual 256-byte buffer.
#define IDS_LONG 102
#define IDS_REGISTRY_KEY 103
#define IDS_CHANNEL_COUNT 104
#define IDS_PROMPT 105
#define IDS_DATE_FORMAT 106
