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
