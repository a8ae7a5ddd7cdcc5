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

// The alarms list box and its controls.
#define IDD_ALARMS 220
#define IDC_ALARMS_LIST 221
#define IDC_ALARMS_NEXT 222
#define IDC_ALARMS_ADD 223
#define IDC_ALARMS_EDIT 224
#define IDC_ALARMS_REMOVE 225

// The box in which one alarm is added or changed; its days are the repeat box's
// IDC_REPEAT_* controls. Date to label: the controls the main window owns for the
// first alarm, greyed when only its sound can change.
#define IDD_ALARM_EDIT 230
#define IDC_ALARM_DATE_LABEL 231
#define IDC_ALARM_DATE 232
#define IDC_ALARM_TIME_LABEL 233
#define IDC_ALARM_TIME 234
#define IDC_ALARM_DAYS_LABEL 235
#define IDC_ALARM_ONCE_NOTE 236
#define IDC_ALARM_LABEL_LABEL 237
#define IDC_ALARM_LABEL 238
#define IDC_ALARM_MUSIC 239
#define IDC_ALARM_BROWSE 240
#define IDC_ALARM_RISE 241
