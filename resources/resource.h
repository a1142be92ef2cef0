// Resource and control identifiers. Plain defines: read by the resource compiler and by C++.
#pragma once

// Dialog templates
#define IDD_LAUNCHER 102

// Icons, pictures and menus
#define IDI_LAUNCHER 140
#define IDI_BROWSE 141
#define IDR_MENU_ENGLISH 143
#define IDR_MENU_CHINESE 138
#define IDB_BANNER 129
#define IDB_LOGO 147 // 32-bit, premultiplied alpha
// Artwork of the update dialog and the Workbench tip
#define IDI_UPDATE_WINDOW 156
#define IDI_UPDATE_PICTURE 159
#define IDB_WORKBENCH_SETTINGS 167
#define IDI_WORKBENCH_TIP 168
// The pictures drawn for 125, 150 and 200 % of the screen's scale (the ids above: 100 %)
#define IDB_BANNER_125 130
#define IDB_BANNER_150 131
#define IDB_BANNER_200 132
#define IDB_LOGO_125 148
#define IDB_LOGO_150 149
#define IDB_LOGO_200 150
#define IDB_WORKBENCH_SETTINGS_125 169
#define IDB_WORKBENCH_SETTINGS_150 170
#define IDB_WORKBENCH_SETTINGS_200 171

// Main dialog controls (IDOK as windows.h has it, for code that does not include it)
#ifndef IDOK
#define IDOK 1
#endif
#define IDC_2D 1000
#define IDC_3D 1001
#define IDC_SERIAL 1002
#define IDC_PARALLEL 1003
#define IDC_PROCESS_SPIN 1004
#define IDC_VS_LIST 1005
#define IDC_PROCESS_COUNT 1006
#define IDC_BANNER 1007
#define IDC_LOGO 1008
#define IDC_CANCEL 1010
#define IDC_FLUENT_LIST 1011
#define IDC_MATLAB_LIST 1012
#define IDC_PROCESSES_LABEL 1018
#define IDC_BROWSE 1025
#define IDC_DIMENSION_GROUP 1026
#define IDC_PROCESSING_GROUP 1027
#define IDC_VS_GROUP 1028
#define IDC_FLUENT_GROUP 1029
#define IDC_DOUBLE_PRECISION 1036
#define IDC_THIRD_PARTY_GROUP 1038
#define IDC_CALL_FORTRAN 1039
#define IDC_CALL_MATLAB 1040
#define IDC_MATLAB_LABEL 1041
#define IDC_CALL_COOLPROP 1044
#define IDC_CHINESE_FLUENT 1046
#define IDC_START_BY_WORKBENCH 1050
#define IDC_STATIC_LINK 1056
#define IDC_DYNAMIC_LINK 1057

// Menu commands
#define ID_TUTORIAL 32777
#define ID_ABOUT 32779
#define ID_LANGUAGE_ENGLISH 32784
#define ID_LANGUAGE_CHINESE 32785

// About box and update dialog
#define IDD_ABOUT 139
#define IDD_UPDATE 157
#define IDI_UPDATE_WINDOW 156
#define IDI_UPDATE_FOUND 159
#define IDC_SITE_LINK 1019
#define IDC_CHINA_LINK 1020
#define IDC_CHINA_LABEL 1021
#define IDC_SITE_LABEL 1023
#define IDC_DIALOG_ICON 1024
#define IDC_PRODUCT_LINE 1030
#define IDC_AUTO_CHECK 1049
#define IDC_RELEASE_MESSAGE 1051
#define IDC_DOWNLOAD_LINK 1052
// Workbench tip
#define IDD_WORKBENCH_TIP 165
#define IDC_TIP_PICTURE 1053
#define IDC_TIP_TEXT 1054
#define IDC_TIP_DO_NOT_SHOW 1055
