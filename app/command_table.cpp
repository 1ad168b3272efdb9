#include "app/command_table.h"

#include <array>

#include "board/command_ids.h"

namespace {

constexpr MenuEntry kSeparator{0, nullptr, nullptr};

constexpr std::array kFileMenu{
    MenuEntry{Cmd::FileNew, "&Nieuw\tCtrl+N", "Nieuw veld maken\nNieuw"},
    MenuEntry{Cmd::FileOpen, "&Open...\tCtrl+O", "Open een bestaand veld\nOpen"},
    MenuEntry{Cmd::FileSave, "O&pslaan\tCtrl+S", "Sla het veld op\nOpslaan"},
    MenuEntry{Cmd::FileSaveAs, "Ops&laan als...", "Sla het veld op met een nieuwe naam\nOpslaan als"},
    kSeparator,
    MenuEntry{Cmd::FilePrint, "&Afdrukken...\tCtrl+P", "Druk veld af\nAfdrukken"},
    MenuEntry{Cmd::FilePrintPreview, "A&fdrukvoorbeeld...", "Afdrukvoorbeeld\nAfdrukvoorbeeld"},
    MenuEntry{Cmd::FilePageSetup, "Paginains&telling...",
              "Wijzig instellingen van de printer\nInstellingen printer"},
    kSeparator,
    MenuEntry{Cmd::FileMru1, "Recent File", "Open een veld"},
    kSeparator,
    MenuEntry{Cmd::AppExit, "E&xit", "Einde programma\nKlaar"},
};

constexpr std::array kViewMenu{
    MenuEntry{Cmd::ViewToolbar, "&Werkbalk", "Toon of verberg werkbalk\nWel/geen werkbalk"},
    MenuEntry{Cmd::ViewStatusBar, "&Statusregel", "Toon of verberg statusbalk\nWel/geen statusbalk"},
    kSeparator,
    MenuEntry{Cmd::BackgroundColour, "&Achtergrondkleur...",
              "Kies een nieuwe achtergrondkleur\nKies achtergrondkleur"},
    kSeparator,
    MenuEntry{Cmd::FillGrey, "Vulkleur gr&ijs", "Vulkleur grijs\nVulkleur grijs"},
    MenuEntry{Cmd::FillGrey + 1, "Vulkleur &rood", "Vulkleur rood\nVulkleur rood"},
    MenuEntry{Cmd::FillGrey + 2, "Vulkleur gro&en", "Vulkleur groen\nVulkleur groen"},
    MenuEntry{Cmd::FillGrey + 3, "Vulkleur &blauw", "Vulkleur blauw\nVulkleur blauw"},
    MenuEntry{Cmd::FillYellow, "Vulkleur gee&l", "Vulkleur geel\nVulkleur geel"},
    kSeparator,
    MenuEntry{Cmd::Sound, "&Geluid", "Wel of geen piep bij gevonden oplossing\nPiep bij oplossing"},
};

constexpr std::array kFieldMenu{
    MenuEntry{Cmd::FieldData, "&Veldgegevens...", "Geef de veldgegevens op\nSpecificeer veldgegevens"},
    MenuEntry{Cmd::ClearBoard, "Veld &schoonmaken", "Gehele veld schoonmaken\nGehele veld schoonmaken"},
    MenuEntry{Cmd::BoardToClipboard, "Veld naar &klembord", "Veld naar klembord\nVeld naar klembord"},
};

constexpr std::array kPiecesMenu{
    MenuEntry{Cmd::OpenPieceFile, "Open tri&anzoidbestand...",
              "Open een bestand met eigenschappen van de trianzoids\nOpen trianzoidsbestand"},
    kSeparator,
    MenuEntry{Cmd::ShowPieces, "&Toon trianzoids...",
              "Toon trianzoid uit huidig trianzoidbestand\nToon trianzoids"},
};

constexpr std::array kSearchMenu{
    MenuEntry{Cmd::Search, "&Ga zoeken", "Start het zoekproces\nStart zoeken"},
    MenuEntry{Cmd::SearchSpecial, "&Zoeken speciaal",
              "Start het zoekproces, wacht bij oplossing op toetsaanslag\nStart zoeken, wacht bij opl."},
    kSeparator,
    MenuEntry{Cmd::NextFirst, "&Volgende eerste", "Neem volgende ligging eerste geplaatste trianzoid"},
    kSeparator,
    MenuEntry{Cmd::Interrupt, "&Onderbreek",
              "Onderbreek zoekpreces (kan ook met ESC)\nOnderbreek zoekproces"},
    kSeparator,
    MenuEntry{Cmd::LetterSolution, "&Letteroplossing", nullptr},
};

constexpr std::array kSolutionsMenu{
    MenuEntry{Cmd::ShowSolutionsBw, "&Toon oplossingen zwart-wit",
              "Toon de zojuist gevonden oplossingen\nToon oplossingen"},
    MenuEntry{Cmd::ShowSolutionsColour, "Toon oplossingen in &kleur", nullptr},
    kSeparator,
    MenuEntry{Cmd::FirstSolution, "&Eerste oplossing\tHome", "Toon eerste oplossing"},
    MenuEntry{Cmd::NextSolution, "&Volgende oplossing\tGrijze +", "Toon volgende oplossing"},
    MenuEntry{Cmd::PreviousSolution, "Vo&rige oplossing\tGrijze -", "Toon vorige oplossing"},
    MenuEntry{Cmd::LastSolution, "&Laatste oplossing\tEnd", "Toon laatste oplossing"},
    kSeparator,
    MenuEntry{Cmd::DoneSolutions, "&Klaar met oplossingen", "Klaar met oplossingen bekijken"},
};

constexpr const char* kAboutPrompt = "Toon de versie van het programma\nOver trianzoids";

constexpr std::array kHelpMenu{
    MenuEntry{Cmd::HelpFinder, "&Hulponderwerpen", "Hulponderwerpen\nHulponderwerpen"},
    kSeparator,
    MenuEntry{Cmd::AppAbout, "&Over Trianzoid...", kAboutPrompt},
};

constexpr std::array kMainMenu{
    MenuSpec{"&Bestand", kFileMenu},  MenuSpec{"Beel&d", kViewMenu},
    MenuSpec{"&Veld", kFieldMenu},    MenuSpec{"&Trianzoids", kPiecesMenu},
    MenuSpec{"&Zoeken", kSearchMenu}, MenuSpec{"&Oplossingen", kSolutionsMenu},
    MenuSpec{"&Hulp", kHelpMenu},
};

// The popup of the editing and searching modes. Its entries carry identifiers of their own (32793
// excepted) and the prompts of those identifiers.
constexpr std::array kContextMenu102{
    MenuEntry{Cmd::PopupFieldData, "Veld specificeren", "Omvang veld opgeven"},
    MenuEntry{Cmd::ClearPieceCellsRedraw, "Veld schoonmaken", "Veld geheel schoonmaken"},
    kSeparator,
    MenuEntry{Cmd::PopupOpenPieceFile, "Open trianzoidbestand...", "Open een trianzoidbestand"},
    MenuEntry{Cmd::ShowPieces, "Toon trianzoids...", "Toon trianzoids en hun rotaties"},
    kSeparator,
    MenuEntry{Cmd::PopupSearch, "Ga zoeken", "Start zoeken, wacht niet bij een oplossing"},
    MenuEntry{Cmd::PopupSearchSpecial, "Zoeken speciaal", "Start zoeken, wacht bij een oplossing"},
    kSeparator,
    MenuEntry{Cmd::PopupInterrupt, "Onderbreek", "Onderbreek zoekproces"},
    kSeparator,
    MenuEntry{Cmd::PopupShowSolutionsBw, "Toon oplossingen zwart-wit", "Toon de oplossingen"},
    MenuEntry{Cmd::PopupShowSolutionsColour, "Toon oplossingen in kleur", nullptr},
};

constexpr std::array kContextMenu139{
    MenuEntry{Cmd::FirstSolution, "Eerste oplossing\tHome", "Toon eerste oplossing"},
    MenuEntry{Cmd::NextSolution, "Volgende oplossing\tGrijze +", "Toon volgende oplossing"},
    MenuEntry{Cmd::PreviousSolution, "Vorige oplossing\tGrijze -", "Toon vorige oplossing"},
    MenuEntry{Cmd::LastSolution, "Laatste oplossing\tEnd", "Toon laatste oplossing"},
    MenuEntry{Cmd::DoneSolutions, "Klaar met oplossingen", "Klaar met oplossingen bekijken"},
};

constexpr std::array kToolBar{
    ToolButtonSpec{Cmd::FileNew, "Nieuw veld maken\nNieuw"},
    ToolButtonSpec{Cmd::FileOpen, "Open een bestaand veld\nOpen"},
    ToolButtonSpec{Cmd::FileSave, "Sla het veld op\nOpslaan"},
    ToolButtonSpec{0, nullptr},
    ToolButtonSpec{Cmd::OpenPieceFile,
                   "Open een bestand met eigenschappen van de trianzoids\nOpen trianzoidsbestand"},
    ToolButtonSpec{0, nullptr},
    ToolButtonSpec{Cmd::FilePrint, "Druk veld af\nAfdrukken"},
    ToolButtonSpec{0, nullptr},
    ToolButtonSpec{Cmd::AppAbout, kAboutPrompt},
    ToolButtonSpec{0, nullptr},
    ToolButtonSpec{Cmd::ToolFillGrey, "Vulkleur grijs\nVulkleur grijs"},
    ToolButtonSpec{Cmd::ToolFillGrey + 1, "Vulkleur rood\nVulkleur rood"},
    ToolButtonSpec{Cmd::ToolFillGrey + 2, "Vulkleur groen\nVulkleur groen"},
    ToolButtonSpec{Cmd::ToolFillGrey + 3, "Vulkleur blauw\nVulkleur blauw"},
    ToolButtonSpec{Cmd::ToolFillYellow, "Vulkleur geel\nVulkleur geel"},
};

constexpr std::array kAccelerators{
    AcceleratorSpec{"Ctrl+N", Cmd::FileNew},
    AcceleratorSpec{"Ctrl+O", Cmd::FileOpen},
    AcceleratorSpec{"Ctrl+S", Cmd::FileSave},
    AcceleratorSpec{"Ctrl+P", Cmd::FilePrint},
    AcceleratorSpec{"Home", Cmd::FirstSolution},
    AcceleratorSpec{"End", Cmd::LastSolution},
    AcceleratorSpec{"Num++", Cmd::NextSolution},
    AcceleratorSpec{"Num+-", Cmd::PreviousSolution},
    AcceleratorSpec{"Ctrl+C", Cmd::EditCopy},
    AcceleratorSpec{"Ctrl+Ins", Cmd::EditCopy},
    AcceleratorSpec{"Ctrl+V", Cmd::EditPaste},
    AcceleratorSpec{"Shift+Ins", Cmd::EditPaste},
    AcceleratorSpec{"Ctrl+X", Cmd::EditCut},
    AcceleratorSpec{"Shift+Del", Cmd::EditCut},
    AcceleratorSpec{"Ctrl+Z", Cmd::EditUndo},
    AcceleratorSpec{"Alt+Backspace", Cmd::EditUndo},
    AcceleratorSpec{"F1", Cmd::Help},
    AcceleratorSpec{"Shift+F1", Cmd::ContextHelp},
    AcceleratorSpec{"F6", Cmd::NextPane},
    AcceleratorSpec{"Shift+F6", Cmd::PrevPane},
};

}  // namespace

std::span<const MenuSpec> mainMenuSpec() {
    return kMainMenu;
}
std::span<const MenuEntry> contextMenu102Spec() {
    return kContextMenu102;
}
std::span<const MenuEntry> contextMenu139Spec() {
    return kContextMenu139;
}
std::span<const ToolButtonSpec> toolBarSpec() {
    return kToolBar;
}
std::span<const AcceleratorSpec> acceleratorSpec() {
    return kAccelerators;
}

const char* promptFor(int id) {
    for (const auto& menu : kMainMenu)
        for (const auto& entry : menu.entries)
            if (entry.id == id) return entry.prompt;
    for (const auto& button : kToolBar)
        if (button.id == id) return button.prompt;
    if (id == Cmd::ShowPiecesOrientations)
        return "Toon rotaties en spiegelingen van trianzoids\nToon rotaties en spiegelingen";
    if (id == Cmd::ClearPieceCells) return "Veld schoonmaken\nVeld schoonmaken";
    return nullptr;
}

const char* idleStatusText() {
    return "Vul veld met muis (met Ctlr en/of Shift)";
}
