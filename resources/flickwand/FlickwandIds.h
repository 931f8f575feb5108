// Resource ids of the slide-show player, shared by its resource script and
// its code.
#pragma once

#define IDD_PLAYER_ABOUT 100
#define IDD_PLAYER 102
#define IDI_PLAYER 128

#define IDS_PLAYER_ABOUT_ITEM 101
#define IDS_TIP_FIRST 102
#define IDS_TIP_PREVIOUS 103
#define IDS_TIP_NEXT 104
#define IDS_TIP_LAST 105
#define IDS_TIP_START_SHOW 106
#define IDS_TIP_SWITCH_EFFECT 107
#define IDS_TIP_EXIT 108
#define IDS_NO_FILE 109
#define IDS_TIP_PAUSE 110

#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_VERSION 1001
#define IDC_ABOUT_NOTICE 1002
