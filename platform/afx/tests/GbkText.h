// GBK (code page 936) characters whose trail byte is also an ASCII character: the cases a
// byte-wise string routine gets wrong. Separate literals, so that a following letter is not
// read as part of the hex escape.
#pragma once

#define GBK_CHENG "\xD5\x5C"  // U+8AA0, trail byte '\\'
#define GBK_BING "\x95\x5C"   // U+661E, trail byte '\\'
#define GBK_QING "\x83\x41"   // U+50BE, trail byte 'A'
#define GBK_HA "\x81\x61"     // U+4E64, trail byte 'a'
#define GBK_FULLWIDTH_A_LOWER "\xA3\xE1"  // U+FF41
#define GBK_FULLWIDTH_A_UPPER "\xA3\xC1"  // U+FF21
#define GBK_PINDAO "\xC6\xB5\xB5\xC0"     // U+9891 U+9053, "channel"
#define GBK_YINLIANG "\xD2\xF4\xC1\xBF"   // U+97F3 U+91CF, "volume"
