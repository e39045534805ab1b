#pragma once
// Command, control and pane ids the views and frames share. Each id is also the
// key of its prompt in the string table.

// Editing tools; a view keeps the current one as its m_nTool.
constexpr int ID_TOOL_SELECT = 32777;
constexpr int ID_TOOL_ADD_SECTION = 32779;
constexpr int ID_TOOL_ADD_FEATURE = 32782;
constexpr int ID_TOOL_INSERT_OBJECT = 32784;
constexpr int ID_TOOL_MOVE_SELECTION = 32786;
constexpr int ID_TOOL_MOVE_NODES = 32788;

// The editing commands of the view, also on the Delete and Insert keys.
constexpr int ID_CUT_SELECTION = 32789;
constexpr int ID_INSERT_NODE = 32783;

// The status bar pane that shows the world position of the mouse.
constexpr int ID_INDICATOR_POSITION = 32785;
// The message pane of a status bar.
constexpr int ID_SEPARATOR = 0;

// Printing.
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;

// The splitter of a child frame.
constexpr int ID_WINDOW_SPLIT = 57653;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;

// Command ids of the menus, accelerators and toolbars of the main frame.
constexpr int ID_TOOL_TRACE_PATH = 32791;
constexpr int ID_BROWSE_BACKGROUND = 32792;
constexpr int ID_FILE_COMPILE = 32793;
constexpr int ID_VIEW_TOOLS = 32794;
constexpr int ID_VIEW_SELECTION_BAR = 32795;
constexpr int ID_VIEW_TRACK_BAR = 32796;
constexpr int ID_HELP = 32797;
constexpr int ID_EDIT_SCALE_SELECTION = 32798;
constexpr int ID_VIEW_COMPILE_OUTPUT = 32799;
constexpr int ID_FILE_STOP_COMPILE = 32800;
// Also the status bar pane of the track check's counts.
constexpr int ID_VIEW_TRACK_CHECK = 32801;
constexpr int ID_VIEW_ZOOM_FIT = 32802;
constexpr int ID_VIEW_ZOOM_SELECTION = 32803;
constexpr int ID_VIEW_ZOOM_IN = 32804;
constexpr int ID_VIEW_ZOOM_OUT = 32805;
constexpr int ID_VIEW_GRID = 32807;
constexpr int ID_VIEW_SNAP_TO_GRID = 32808;
constexpr int ID_VIEW_GRID_SETTINGS = 32809;
// Drawing options of every view, remembered between runs.
constexpr int ID_VIEW_ITEM_LABELS = 32811;
constexpr int ID_VIEW_COMPACT_MARKS = 32812;
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_MRU_FILE1 = 57616;  // the recent files are 57616 to 57619
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_WINDOW_NEW = 57648;
constexpr int ID_WINDOW_ARRANGE = 57649;
constexpr int ID_WINDOW_CASCADE = 57650;
constexpr int ID_WINDOW_TILE_HORZ = 57651;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
// The open windows listed in the Window menu are 0xFF00 to 0xFF08.
constexpr int AFX_IDM_FIRST_MDICHILD = 0xFF00;

// Resources of the main frame and the document template.
constexpr int IDR_MAINFRAME = 128;  // caption, menu 128, accelerators, standard toolbar
constexpr int IDR_TRAXTYPE = 129;   // document string and menu 129
constexpr int IDR_TOOLS = 132;      // tools toolbar
constexpr int IDD_SELECTION_BAR = 103;
constexpr int IDD_ZOOM_BAR = 105;
constexpr int IDD_TRACK_BAR = 1031;

// Status bar panes of the keyboard states.
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;

// Texts of the application and its document manager.
constexpr int IDS_APP_TITLE = 57344;       // caption of the program's message boxes
constexpr int IDS_IDLE_MESSAGE = 57345;    // the message pane while nothing is highlighted
constexpr int IDS_ASK_TO_SAVE = 61700;     // %1: the document's title
constexpr int IDS_FAILED_TO_OPEN = 61701;  // %1: the file, %2: what is wrong
constexpr int IDS_FAILED_TO_SAVE = 61702;  // likewise
constexpr int IDS_HELP_ERROR = 61710;
constexpr int IDS_HELP_ERROR_CAPTION = 61711;
