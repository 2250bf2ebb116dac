// Resource identifiers of the program.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_DOTWISE_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_PIXEL_X 1000
#define IDC_PIXEL_Y 1001
#define IDC_LENGTH_X_CM 1002
#define IDC_LENGTH_Y_CM 1003
#define IDC_DIAGONAL 1004
#define IDC_PPI 1005
#define IDC_PPC 1006
#define IDC_COLOR_BITS 1007
#define IDC_POWER_N 1008
#define IDC_POWER_RESULT 1009
#define IDC_ACTUAL_GB 1010
#define IDC_SPARE1 1011
#define IDC_SPARE2 1012
#define IDC_COLOR_VALUES 1013
#define IDC_RADIO_PERIMETER 1014
#define IDC_RADIO_DIAGONAL 1015
#define IDC_NOMINAL_GB 1016
#define IDC_BADGE_WOVEN_LABEL 1017
#define IDC_BADGE_SEAL 1018
#define IDC_BADGE_PLATE_MAKING 1019

// What the badges say: on a click, and as the tooltip all three share.
#define IDS_BADGE_WOVEN_LABEL 200
#define IDS_BADGE_SEAL 201
#define IDS_BADGE_PLATE_MAKING 202
#define IDS_BADGE_TOOLTIP 203

// A screen reader's names for the fields whose row's label speaks for the
// field beside them (the class of string the accessibility rules look up:
// 20000 + the field's id).
#define IDS_NAME_COLOR_VALUES (20000 + IDC_COLOR_VALUES)
#define IDS_NAME_POWER_N (20000 + IDC_POWER_N)
#define IDS_NAME_NOMINAL_GB (20000 + IDC_NOMINAL_GB)
#define IDS_NAME_BADGE_WOVEN_LABEL (20000 + IDC_BADGE_WOVEN_LABEL)
#define IDS_NAME_BADGE_SEAL (20000 + IDC_BADGE_SEAL)
#define IDS_NAME_BADGE_PLATE_MAKING (20000 + IDC_BADGE_PLATE_MAKING)
