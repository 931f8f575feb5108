// Resource ids of the motion filter's settings page, shared by its dialog
// template, its code and its tests.
#pragma once

#define IDD_MOTION_PAGE 107
#define IDS_MOTION_PAGE_TITLE 101

#define IDC_MOTION_START_STOP 1000
#define IDC_MOTION_RESET_BASE 1001
#define IDC_MOTION_SPARE_BUTTON 1012
#define IDC_MOTION_INTERVAL 1016
#define IDC_MOTION_DYNAMIC 1018
#define IDC_MOTION_MARK_RECT 1019
#define IDC_MOTION_RECT 1020
#define IDC_MOTION_MARK_VIDEO 1021
#define IDC_MOTION_LEVEL 1024
