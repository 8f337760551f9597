// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

#define IDI_KELPO 1
#define IDD_USAGE 100
#define IDC_USAGE_TEXT 1001
#define IDR_BUILTIN_THEME 1
#define IDB_COMMANDS_16 200
#define IDB_COMMANDS_24 201
#define IDB_TOOLS_16 202
