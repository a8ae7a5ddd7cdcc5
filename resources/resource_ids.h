#pragma once
// Resource identifiers shared by the .rc files and the code that loads them.

#define IDI_MORVANE 1           // the program's own icon
#define IDI_TRAY_NO_ALARM 101   // tray picture 1
#define IDI_TRAY_SET 102        // tray picture 2
#define IDI_TRAY_ACTIVATED 103  // tray picture 3
#define IDW_ALARM_SOUND 201     // the alarm sound, a WAVE resource
