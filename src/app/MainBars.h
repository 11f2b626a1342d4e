#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;
class QWidget;

namespace pravik {

class ItemCommands;

// The main window's own commands.
struct WindowActions {
    QAction *FileNew = nullptr, *FileLoad = nullptr, *FileSave = nullptr, *FileSaveas = nullptr;
    QAction *FileImportSml = nullptr, *FileExportSml = nullptr, *MakeCppFile = nullptr;
    QAction *FileExit = nullptr, *OptionConfig = nullptr, *ToolViewTextSML = nullptr;
    QAction *ToolPreview = nullptr, *ToolStructCheck = nullptr, *ToolProblems = nullptr;
    QAction *ToolStayOnTop = nullptr, *HelpHelp = nullptr, *HelpWhatsNew = nullptr;
    QAction *HelpAbout = nullptr, *ToolComm = nullptr; // ToolComm: the communication pane's
};

// Where the commands are shown: the band container (CoolBar1) with the
// menu bar and the two tool bars, and the tree's context menu.
struct MainBars {
    QWidget* CoolBar1 = nullptr;
    QMenuBar* ActionMainMenuBar1 = nullptr;
    QToolBar* ActionToolBar1 = nullptr;
    QToolBar* ActionToolBar2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
};

// Makes the window's commands with their captions, hints, shortcuts and
// icons, disabled; the window connects them to its handlers.
WindowActions MakeWindowActions(QObject* owner);

// Builds the bars as children of window, each command in its place.
MainBars BuildMainBars(QWidget* window, const WindowActions& a, const ItemCommands& items);

} // namespace pravik
