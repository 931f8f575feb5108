// The about box's dialog template. Shared by the resource script and the
// code, so it holds nothing but the number.
#pragma once

#define IDD_ABOUTBOX 142
