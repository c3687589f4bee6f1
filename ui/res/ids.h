#pragma once
// Window, command and control ids of the editor. These numbers are part of the program's
// identity (menus, accelerators, string table and the form all key on them): never renumber.
// Standard framework commands keep their own numbers too and are mapped onto wx's ids where wx
// has a handler for them (see app/command_map).

namespace ids {

// Resources
inline constexpr int kMainFrame = 128;  // menu, accelerators, icon, caption string, tool bar
inline constexpr int kFuncDocTemplate = 129;
inline constexpr int kHtmlDocTemplate = 130;
inline constexpr int kAboutDialog = 100;
inline constexpr int kFormTemplate = 101;
inline constexpr int kAddFuncDialog = 102;
inline constexpr int kRelatedDialog = 130;  // dialog template; 130 is also the HTML document's
inline constexpr int kDocInfoDialog = 131;
inline constexpr int kHistoryListDialog = 136;
inline constexpr int kArgDialog = 138;
inline constexpr int kHtmlFormatDialog = 139;
inline constexpr int kStructDefDialog = 141;
inline constexpr int kHistoryEditDialog = 145;
inline constexpr int kFuncSpecSettingsDialog = 146;

// Strings that are not command prompts
inline constexpr int kStrRegistryKey = 500;      // "Orrinwerk"
inline constexpr int kStrAppName = 57344;        // "Quillmap"
inline constexpr int kStrReady = 57345;          // "ﾚﾃﾞｨ"
inline constexpr int kStrSaveChanges = 61699;    // "%1 への変更を保存しますか?"
inline constexpr int kStrBadFileFormat = 61728;  // "予期しないﾌｧｲﾙ形式です。"
inline constexpr int kStrNewHistory = 50000;     // "新規作成"
inline constexpr int kStrConfirmDelete = 40200;  // "'%s'\nを削除してもよろしいですか？"
inline constexpr int kStrOpenTitle = 61441;      // "開く": title of the File Open dialog
inline constexpr int kStrAllFilesFilter = 61442;  // "すべてのﾌｧｲﾙ (*.*)"
inline constexpr int kStrCannotOpen = 61700;      // "%1 を開くことができません。"
inline constexpr int kStrCannotSave = 61705;      // "%1 に保存できませんでした。..."
inline constexpr int kStrUnencodable = 40900;     // "文字 '%1' (U+%2) は Shift-JIS で..."
// Why a save was refused (the line after kStrCannotSave), and the question before replacing a
// file that another program changed.
inline constexpr int kStrNotRegularFile = 40950;  // "通常のﾌｧｲﾙではありません。"
inline constexpr int kStrReadOnlyFile = 40951;    // "読み取り専用のﾌｧｲﾙです。"
inline constexpr int kStrBrokenLink = 40952;  // "ｼﾝﾎﾞﾘｯｸ ﾘﾝｸの指す先をたどれません。"
inline constexpr int kStrFileLocked = 40953;  // "ほかのﾌﾟﾛｸﾞﾗﾑが使用中です。"
// Why a save was refused: the name leads to another file than the one read; it became a link.
inline constexpr int kStrFileReplaced = 41100;
inline constexpr int kStrBecameLink = 41101;
// A page window that can't block what isn't a local file shows nothing.
inline constexpr int kStrPageNotGuarded = 41102;
// The note after the first part of a field too long to show.
inline constexpr int kStrFieldCut = 41103;
inline constexpr int kStrFileChanged = 40954;  // "%1 はほかのﾌﾟﾛｸﾞﾗﾑで変更されています。..."
inline constexpr int kStrExportOverwrite = 40901;  // "%1 は既に存在します。\n上書きしますか?"
inline constexpr int kStrExportFailed = 40902;  // "%1 にhtmlﾄﾞｷｭﾒﾝﾄを出力できませんでした。..."
inline constexpr int kStrExportOntoDocument = 40903;  // "%1 は編集中のﾄﾞｷｭﾒﾝﾄのﾌｧｲﾙです。..."
inline constexpr int kStrUnreadableDate = 41000;  // "'%1' は日付として読めません。..."
// The progress dialog of a long open or save.
inline constexpr int kStrReading = 40960;  // "%1 を読み込んでいます..."
inline constexpr int kStrSaving = 40961;   // "%1 に保存しています..."
// The Save As dialog and the print switches of the command line.
inline constexpr int kStrSaveAsTitle = 40965;  // "名前を付けて保存"
inline constexpr int kStrAskReplace =
    40901;  // the export's "%1 は既に存在します。\n上書きしますか?"
inline constexpr int kStrNoPrinter = 40962;  // "印刷できるﾌﾟﾘﾝﾀがありません。"
inline constexpr int kStrNoSuchPrinter = 40963;  // "ﾌﾟﾘﾝﾀ '%1' が見つかりません。"
inline constexpr int kStrCannotPrint = 40964;    // "%1 を印刷できませんでした。"

// Framework commands
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMru1 = 57616;  // 57616..57619
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kIndicatorKana = 59142;
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

// Program commands
inline constexpr int kDocInfo = 32772;
inline constexpr int kHtmlExport = 32774;
inline constexpr int kCopyFunction = 32778;
inline constexpr int kCopyStructure = 32779;
inline constexpr int kRefresh = 32780;  // HTML view: reload; form: the structure "編集" button
inline constexpr int kEditStructure = 32780;
inline constexpr int kCopyToClipboard = 32782;
inline constexpr int kFuncSpecSettings = 32783;
inline constexpr int kMenuAddStructure = 40008;
inline constexpr int kMenuDeleteStructure = 40009;
inline constexpr int kMenuCopyStructure = 40010;
// Find in a document (Edit menu; Ctrl+F, F3, Shift+F3)
inline constexpr int kFind = 41300;
inline constexpr int kFindNext = 41301;
inline constexpr int kFindPrevious = 41302;
inline constexpr int kStrFindNotFound = 41310;    // "'%1' が見つかりません。"
inline constexpr int kStrFindWrappedTop = 41311;  // "先頭から検索しました"
inline constexpr int kStrFindWrappedEnd = 41312;  // "末尾から検索しました"
inline constexpr int kStrFindCaption = 41313;     // "検索": the find window and its messages

// Form controls (template 101)
inline constexpr int kFunctionList = 1001;
inline constexpr int kStructureList = 1002;
inline constexpr int kAddArgument = 1005;
inline constexpr int kDeleteArgument = 1006;
inline constexpr int kCopyArgument = 1007;
inline constexpr int kArgumentList = 1014;
inline constexpr int kExplanation = 1016;
inline constexpr int kNote = 1017;
inline constexpr int kRelatedCombo = 1021;
inline constexpr int kHistoryCombo = 1022;
inline constexpr int kAddRelated = 1023;
inline constexpr int kUpdateHistory = 1024;
inline constexpr int kAddFunction = 1025;
inline constexpr int kDeleteFunction = 1026;
inline constexpr int kAttributeCombo = 1027;
inline constexpr int kAddStructure = 1028;
inline constexpr int kDeleteStructure = 1029;
inline constexpr int kNameEdit = 1030;
inline constexpr int kHeadingEdit = 1031;
inline constexpr int kReturnTypeCombo = 1040;
inline constexpr int kReturnTextEdit = 1041;

// Dialog controls. Numbers repeat between dialogs, as in their templates.
inline constexpr int kAddFuncEdit = 1016;  // CAddFuncDlg (template 102)

inline constexpr int kArgType = 1061;  // CArgDlg (template 138)
inline constexpr int kArgName = 1062;
inline constexpr int kArgDescription = 1063;

inline constexpr int kRelatedCandidates = 1001;  // CRelatedFuncDlg (template 130)
inline constexpr int kRelatedMove = 1022;        // ">>"
inline constexpr int kRelatedChosen = 1021;

inline constexpr int kDocInfoTitle = 1046;  // CDocInfoDlg (template 131)
inline constexpr int kDocInfoCopyright = 1047;

inline constexpr int kHistoryList = 1067;  // CHistoryListDlg (template 136)
inline constexpr int kHistoryAdd = 1080;
inline constexpr int kHistoryDelete = 1081;
inline constexpr int kHistoryEdit = 1082;

inline constexpr int kHistoryDate = 1056;  // CHistoryEditDlg (template 145)
inline constexpr int kHistoryComment = 1081;

inline constexpr int kStructName = 1073;  // CStructDefDlg (template 141)
inline constexpr int kStructAddMember = 1074;
inline constexpr int kStructDeleteMember = 1075;
inline constexpr int kStructCopyMember = 1076;
inline constexpr int kStructMembers = 1077;
inline constexpr int kStructHeading = 1078;
inline constexpr int kStructExplanation = 1016;
inline constexpr int kStructAddRelated = 1023;
inline constexpr int kStructRelated = 1021;

inline constexpr int kHtmlNoFrames = 1062;  // CHtmlFormatDlg (template 139)
inline constexpr int kHtmlFrames = 1063;
inline constexpr int kHtmlSortByName = 1065;
inline constexpr int kHtmlSortByAttribute = 1066;
inline constexpr int kHtmlPublic = 1089;     // attribute slot 0
inline constexpr int kHtmlProtected = 1090;  // slot 2
inline constexpr int kHtmlPrivate = 1091;    // slot 3
inline constexpr int kHtmlStatic = 1092;     // slot 1
inline constexpr int kHtmlInline = 1093;     // slot 4

inline constexpr int kClipArguments = 1065;  // CFuncSpecSettingsDlg (template 146)
inline constexpr int kClipReturn = 1066;
inline constexpr int kClipExplanation = 1067;
inline constexpr int kClipNote = 1068;

inline constexpr int kAboutVersion = 1085;  // CAboutDlg

// Undo and redo (the Edit menu's first items, on wx's wxID_UNDO and wxID_REDO), and the texts
// that name their steps.
inline constexpr int kUndo = 41200;
inline constexpr int kRedo = 41201;
inline constexpr int kStrUndoStep = 41202;       // "%1 '%2' を元に戻す"
inline constexpr int kStrRedoStep = 41203;       // "%1 '%2' をやり直す"
inline constexpr int kStrFieldChange = 41204;    // "%1の変更"
inline constexpr int kStrEditStructure = 41205;  // "構造体の編集"
inline constexpr int kStrUndoInfo = 41206;       // "%1 を元に戻す"
inline constexpr int kStrRedoInfo = 41207;       // "%1 をやり直す"

}  // namespace ids
