// Resource ids of the module: dialog templates and their controls.
#pragma once

#define IDD_HELPER_PANEL 110
#define IDD_ENTITY_PARAMS 112
#define IDD_KEY_VALUE 113
#define IDD_LIGHT_PARAMS 114

#define IDC_STATIC_TEXT 65535
