#pragma once

// Command identifiers of menus, toolbar, accelerators and context menus.
namespace Cmd {
// Framework commands.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePageSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileMru1 = 57616;  // .. 57625
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditUndo = 57643;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int HelpFinder = 57667;
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;

// The program's own commands.
inline constexpr int FieldData = 32771;
inline constexpr int BackgroundColour = 32772;
inline constexpr int FillGrey = 32773;  // .. 32777 yellow
inline constexpr int FillYellow = 32777;
inline constexpr int ToolFillGrey = 32778;  // .. 32782 yellow
inline constexpr int ToolFillYellow = 32782;
inline constexpr int ClearBoard = 32784;
inline constexpr int ClearPieceCellsRedraw = 32789;
inline constexpr int PopupFieldData = 32790;
inline constexpr int OpenPieceFile = 32791;
inline constexpr int PopupOpenPieceFile = 32792;
inline constexpr int ShowPieces = 32793;
inline constexpr int ShowPiecesOrientations = 32794;
inline constexpr int Search = 32796;
inline constexpr int Sound = 32797;
inline constexpr int Interrupt = 32798;
inline constexpr int PopupSearch = 32799;
inline constexpr int PopupInterrupt = 32800;
inline constexpr int ClearPieceCells = 32801;
inline constexpr int BoardToClipboard = 32802;
inline constexpr int ShowSolutionsBw = 32803;
inline constexpr int PopupShowSolutionsBw = 32804;
inline constexpr int SearchSpecial = 32805;
inline constexpr int PopupSearchSpecial = 32806;
inline constexpr int NextFirst = 32807;
inline constexpr int LetterSolution = 32808;
inline constexpr int ShowSolutionsColour = 32838;
inline constexpr int FirstSolution = 32839;
inline constexpr int NextSolution = 32840;
inline constexpr int PreviousSolution = 32841;
inline constexpr int LastSolution = 32842;
inline constexpr int DoneSolutions = 32843;
inline constexpr int PopupShowSolutionsColour = 32849;
inline constexpr int ExportSolutions = 32870;
inline constexpr int EachTilingOnce = 32871;
inline constexpr int OnePerSymmetryClass = 32872;
inline constexpr int CellsMayStayOpen = 32873;
inline constexpr int TilingCounts = 32874;
inline constexpr int BoardShape = 32875;
inline constexpr int DesignPieces = 32876;
}  // namespace Cmd
