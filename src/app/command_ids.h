#pragma once
// Every command identifier of the program, with the numbers the menus, toolbar and
// accelerators have always carried; the main frame routes each one in one place.

namespace tavo {

enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_EXPORT = 32774,
    ID_FILE_EXPORT_THRUST = 32785,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_DELETE_TO_C1 = 32779,
    ID_EDIT_DELETE_AFTER_C2 = 32780,
    ID_EDIT_DELETE_BETWEEN = 32791,
    ID_UNITS_ENGLISH = 32789,
    ID_UNITS_METRIC = 32790,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_SCALING = 32784,
    ID_VIEW_CURSORS = 32777,
    ID_VIEW_DETAILS = 59411,
    ID_TOOLS_DOWNLOAD = 32776,
    ID_TOOLS_MOTOR_REPORT = 32787,
    ID_TOOLS_ADMINISTER = 32771,
    ID_TOOLS_SETUP = 32778,
    ID_TOOLS_CD_REPORT = 32792,
    ID_APP_ABOUT = 57664,
    // The graph's zoom, statistics, picture export, Redo and key list.
    ID_EDIT_REDO = 57644,
    ID_VIEW_ZOOM_IN = 32900,
    ID_VIEW_ZOOM_OUT = 32901,
    ID_VIEW_ZOOM_CURSORS = 32902,
    ID_VIEW_WHOLE_FLIGHT = 32903,
    ID_VIEW_STATISTICS = 32904,
    ID_FILE_EXPORT_GRAPH = 32905,
    ID_HELP_KEYS = 32906,
    // The cursors on the burn, every curve on its own axis, the flight summary box.
    ID_VIEW_CURSORS_ON_BURN = 32907,
    ID_VIEW_OWN_AXES = 32908,
    ID_VIEW_SUMMARY = 32909,
    // The measured rocket flown on other motors, and the launch site's altitude.
    ID_TOOLS_PREDICT = 32910,
    ID_TOOLS_LAUNCH_SITE = 32911,
    // Other flights laid over the graph, and taken off it.
    ID_FILE_OVERLAY = 32912,
    ID_FILE_REMOVE_OVERLAYS = 32913,
    // Document commands that no menu item, button or key carries.
    ID_TELEMETRY_START = 32772,
    ID_TELEMETRY_STOP = 32773,
    ID_TELEMETRY_SHOW = 32775,
    ID_FILE_IMPORT_RDAS = 32783,
    ID_RECOMPUTE = 32786,
};

} // namespace tavo
