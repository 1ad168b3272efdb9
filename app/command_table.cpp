#include "app/command_table.h"

#include <array>

#include "view/command_ids.h"

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
    kSeparator,
    MenuEntry{Cmd::BoardShape, "V&orm...",
              "Maak het open deel van het veld een parallellogram, zeshoek of driehoek\nVorm van het veld"},
};

constexpr std::array kPiecesMenu{
    MenuEntry{Cmd::OpenPieceFile, "Open tri&anzoidbestand...",
              "Open een bestand met eigenschappen van de trianzoids\nOpen trianzoidsbestand"},
    kSeparator,
    MenuEntry{Cmd::ShowPieces, "&Toon trianzoids...",
              "Toon trianzoid uit huidig trianzoidbestand\nToon trianzoids"},
    kSeparator,
    MenuEntry{Cmd::DesignPieces, "Trianzoids &ontwerpen...",
              "Teken de trianzoids van een trianzoidbestand, of maak een standaardset\nTrianzoids ontwerpen"},
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
    kSeparator,
    MenuEntry{Cmd::EachTilingOnce, "Elke betegeling &eenmaal",
              "Zoek elke betegeling eenmaal: kopieën en gelijke trianzoids zijn verwisselbaar\n"
              "Elke betegeling eenmaal"},
    MenuEntry{Cmd::OnePerSymmetryClass, "&Uniek op draaien en spiegelen na",
              "Zoek een betegeling van elke soort op draaien en spiegelen van het veld na\n"
              "Uniek op draaien en spiegelen na"},
    MenuEntry{Cmd::CellsMayStayOpen, "Open vakjes &toegestaan",
              "Leg alle trianzoids op elke manier, de overgebleven vakjes blijven open\n"
              "Open vakjes toegestaan"},
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
    kSeparator,
    MenuEntry{Cmd::TilingCounts, "Tellin&gen...", "Toon de tellingen van de laatste zoektocht\nTellingen"},
    kSeparator,
    MenuEntry{Cmd::ExportSolutions, "E&xporteren...",
              "Sla de oplossingen op als SVG- of PNG-afbeeldingen of als pdf-vel\nExporteren"},
};

constexpr const char* kAboutPrompt = "Toon de versie van het programma\nOver trianzoids";

constexpr std::array kHelpMenu{
    MenuEntry{Cmd::HelpFinder, "&Hulponderwerpen", "Hulponderwerpen\nHulponderwerpen"},
    kSeparator,
    MenuEntry{Cmd::AppAbout, "&Over Trianzoid...", kAboutPrompt},
};

constexpr std::array kMainMenu{
    MenuTable{"&Bestand", kFileMenu},  MenuTable{"Beel&d", kViewMenu},
    MenuTable{"&Veld", kFieldMenu},    MenuTable{"&Trianzoids", kPiecesMenu},
    MenuTable{"&Zoeken", kSearchMenu}, MenuTable{"&Oplossingen", kSolutionsMenu},
    MenuTable{"&Hulp", kHelpMenu},
};

// The popup of the editing and searching modes. Its entries carry identifiers of their own (32793
// excepted) and the prompts of those identifiers.
constexpr std::array kEditingContextMenu{
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

constexpr std::array kSolutionsContextMenu{
    MenuEntry{Cmd::FirstSolution, "Eerste oplossing\tHome", "Toon eerste oplossing"},
    MenuEntry{Cmd::NextSolution, "Volgende oplossing\tGrijze +", "Toon volgende oplossing"},
    MenuEntry{Cmd::PreviousSolution, "Vorige oplossing\tGrijze -", "Toon vorige oplossing"},
    MenuEntry{Cmd::LastSolution, "Laatste oplossing\tEnd", "Toon laatste oplossing"},
    MenuEntry{Cmd::DoneSolutions, "Klaar met oplossingen", "Klaar met oplossingen bekijken"},
};

constexpr std::array kToolBar{
    ToolButtonEntry{Cmd::FileNew, "Nieuw veld maken\nNieuw"},
    ToolButtonEntry{Cmd::FileOpen, "Open een bestaand veld\nOpen"},
    ToolButtonEntry{Cmd::FileSave, "Sla het veld op\nOpslaan"},
    ToolButtonEntry{0, nullptr},
    ToolButtonEntry{Cmd::OpenPieceFile,
                    "Open een bestand met eigenschappen van de trianzoids\nOpen trianzoidsbestand"},
    ToolButtonEntry{0, nullptr},
    ToolButtonEntry{Cmd::FilePrint, "Druk veld af\nAfdrukken"},
    ToolButtonEntry{0, nullptr},
    ToolButtonEntry{Cmd::AppAbout, kAboutPrompt},
    ToolButtonEntry{0, nullptr},
    ToolButtonEntry{Cmd::ToolFillGrey, "Vulkleur grijs\nVulkleur grijs"},
    ToolButtonEntry{Cmd::ToolFillGrey + 1, "Vulkleur rood\nVulkleur rood"},
    ToolButtonEntry{Cmd::ToolFillGrey + 2, "Vulkleur groen\nVulkleur groen"},
    ToolButtonEntry{Cmd::ToolFillGrey + 3, "Vulkleur blauw\nVulkleur blauw"},
    ToolButtonEntry{Cmd::ToolFillYellow, "Vulkleur geel\nVulkleur geel"},
};

constexpr std::array kAccelerators{
    AcceleratorEntry{"Ctrl+N", Cmd::FileNew},
    AcceleratorEntry{"Ctrl+O", Cmd::FileOpen},
    AcceleratorEntry{"Ctrl+S", Cmd::FileSave},
    AcceleratorEntry{"Ctrl+P", Cmd::FilePrint},
    AcceleratorEntry{"Home", Cmd::FirstSolution},
    AcceleratorEntry{"End", Cmd::LastSolution},
    AcceleratorEntry{"Num++", Cmd::NextSolution},
    AcceleratorEntry{"Num+-", Cmd::PreviousSolution},
    AcceleratorEntry{"Ctrl+C", Cmd::EditCopy},
    AcceleratorEntry{"Ctrl+Ins", Cmd::EditCopy},
    AcceleratorEntry{"Ctrl+V", Cmd::EditPaste},
    AcceleratorEntry{"Shift+Ins", Cmd::EditPaste},
    AcceleratorEntry{"Ctrl+X", Cmd::EditCut},
    AcceleratorEntry{"Shift+Del", Cmd::EditCut},
    AcceleratorEntry{"Ctrl+Z", Cmd::EditUndo},
    AcceleratorEntry{"Alt+Backspace", Cmd::EditUndo},
    AcceleratorEntry{"F1", Cmd::Help},
    AcceleratorEntry{"Shift+F1", Cmd::ContextHelp},
    AcceleratorEntry{"F6", Cmd::NextPane},
    AcceleratorEntry{"Shift+F6", Cmd::PrevPane},
};

}  // namespace

std::span<const MenuTable> mainMenuTable() {
    return kMainMenu;
}
std::span<const MenuEntry> editingContextMenuTable() {
    return kEditingContextMenu;
}
std::span<const MenuEntry> solutionsContextMenuTable() {
    return kSolutionsContextMenu;
}
std::span<const ToolButtonEntry> toolBarTable() {
    return kToolBar;
}
std::span<const AcceleratorEntry> acceleratorTable() {
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
