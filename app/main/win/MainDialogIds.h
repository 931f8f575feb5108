// Resource numbers of the main program's own resources.
#pragma once

#define IDD_MAIN_DIALOG 102
#define IDI_APPLICATION_ICON 128
#define IDC_CANVAS_PEN_CURSOR 145
