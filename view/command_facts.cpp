#include "view/command_facts.h"

#include <array>

#include "view/command_ids.h"

namespace {

constexpr CommandFacts window(int id, bool checkable = false) {
    return {id, id, checkable, CommandHandler::Window};
}
constexpr CommandFacts view(int id, bool checkable = false) {
    return {id, id, checkable, CommandHandler::View};
}
constexpr CommandFacts none(int id) {
    return {id, id, false, CommandHandler::None};
}

constexpr std::array kFacts{
    window(Cmd::FileNew),
    window(Cmd::FileOpen),
    window(Cmd::FileSave),
    window(Cmd::FileSaveAs),
    window(Cmd::FilePrint),
    window(Cmd::FilePrintPreview),
    window(Cmd::FilePageSetup),
    CommandFacts{Cmd::FileMru1, Cmd::FileMru1 + 9, false, CommandHandler::Window},
    window(Cmd::AppExit),
    window(Cmd::ViewToolbar, true),
    window(Cmd::ViewStatusBar, true),
    window(Cmd::AppAbout),
    window(Cmd::HelpFinder),
    window(Cmd::FieldData),
    window(Cmd::PopupFieldData),
    window(Cmd::BoardToClipboard),
    window(Cmd::ShowPieces),
    window(Cmd::ShowPiecesOrientations),
    window(Cmd::ExportSolutions),
    window(Cmd::BoardShape),
    window(Cmd::DesignPieces),
    view(Cmd::BackgroundColour),
    CommandFacts{Cmd::FillGrey, Cmd::FillYellow, true, CommandHandler::View},
    CommandFacts{Cmd::ToolFillGrey, Cmd::ToolFillYellow, true, CommandHandler::View},
    view(Cmd::Sound, true),
    view(Cmd::ClearBoard),
    view(Cmd::ClearPieceCellsRedraw),
    view(Cmd::ClearPieceCells),
    view(Cmd::OpenPieceFile),
    view(Cmd::PopupOpenPieceFile),
    view(Cmd::Search),
    view(Cmd::PopupSearch),
    view(Cmd::SearchSpecial),
    view(Cmd::PopupSearchSpecial),
    view(Cmd::NextFirst),
    view(Cmd::Interrupt),
    view(Cmd::PopupInterrupt),
    view(Cmd::LetterSolution, true),
    view(Cmd::EachTilingOnce, true),
    view(Cmd::OnePerSymmetryClass, true),
    view(Cmd::CellsMayStayOpen, true),
    view(Cmd::TilingCounts),
    view(Cmd::ShowSolutionsBw),
    view(Cmd::PopupShowSolutionsBw),
    view(Cmd::ShowSolutionsColour),
    view(Cmd::PopupShowSolutionsColour),
    view(Cmd::FirstSolution),
    view(Cmd::NextSolution),
    view(Cmd::PreviousSolution),
    view(Cmd::LastSolution),
    view(Cmd::DoneSolutions),
    none(Cmd::EditCopy),
    none(Cmd::EditCut),
    none(Cmd::EditPaste),
    none(Cmd::EditUndo),
    none(Cmd::Help),
    none(Cmd::ContextHelp),
    none(Cmd::NextPane),
    none(Cmd::PrevPane),
};

}  // namespace

std::span<const CommandFacts> commandFactsTable() {
    return kFacts;
}

CommandFacts commandFacts(int id) {
    for (const CommandFacts& facts : kFacts)
        if (id >= facts.first && id <= facts.last) return facts;
    return view(id);
}
