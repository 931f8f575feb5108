// Resource ids of the effects filter's two property pages, shared by the
// dialog templates, the pages and their tests.
#pragma once

#define IDD_EFFECT_SPECIAL_PAGE 101
#define IDD_EFFECT_SIMPLE_PAGE 102
#define IDS_EFFECT_SPECIAL_TITLE 1036
#define IDS_EFFECT_SIMPLE_TITLE 1037

// Developer page: one radio button per effect, id = effect id + 1001.
#define IDC_EFFECT_FIRST 1002  // Red
#define IDC_EFFECT_IMAGE_FRAME 1023
#define IDC_EFFECT_NONE 1024
#define IDC_EFFECT_MIRROR 1027
#define IDC_EFFECT_LAST 1035  // highest id the page treats as an effect
#define IDC_EFFECT_PARAM 1038
#define IDC_FEATURE_FIRST 1039  // feature 0, "awb"
#define IDC_FEATURE_AWB 1039
#define IDC_FEATURE_DESPECKLE 1040
#define IDC_FEATURE_FPS 1041
#define IDC_FEATURE_LAST 1049  // feature 10, "beauty"
#define IDC_SCORE 1061
#define IDC_GROUP_EFFECT 1062
#define IDC_GROUP_QUALITY 1063
#define IDC_GROUP_FACE 1064

// Gallery page.
#define IDC_GALLERY_TABS 1065

// The control id the filter keeps is the effect id plus this.
#define EFFECT_CONTROL_BASE 1001
