#pragma once

#define IDS_TEST_PROMPT 34058
