#pragma once
// Resource identifiers shared by the .rc files and the code that loads them.

#define IDI_MORVANE 1           // the program's own icon
#define IDI_TRAY_NO_ALARM 101   // tray picture 1
#define IDI_TRAY_SET 102        // tray picture 2
#define IDI_TRAY_ACTIVATED 103  // tray picture 3
#define IDW_ALARM_SOUND 300     // the alarm sound, a WAVE resource

// The repeat days box and its controls.
#define IDD_REPEAT 200
#define IDC_REPEAT_MONDAY 201  // Monday to Sunday: 201 to 207
#define IDC_REPEAT_EVERY_DAY 210
#define IDC_REPEAT_WORKING_WEEK 211
