// The window's menus, toolbar, keys and status bar against the command table as written down here,
// independently of the table the program builds them from.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "view/command_facts.h"

namespace {

// "text | status prompt | tooltip" of an entry, "-" for a separator. Where the prompt has no tooltip,
// Qt derives one from the text, without the mnemonic and the trailing "...".
std::string describe(QAction* action) {
    if (action->isSeparator()) return "-";
    return action->text().toStdString() + " | " + action->statusTip().toStdString() + " | " +
           action->toolTip().toStdString();
}

std::vector<std::string> describeMenu(QMenu* menu) {
    std::vector<std::string> lines;
    for (QAction* action : menu->actions())
        if (action->isVisible() || action->isSeparator()) lines.push_back(describe(action));
    return lines;
}

// "text | status prompt" of a popup's entry (a popup shows no tooltips).
std::vector<std::string> describePopup(QMenu* menu) {
    std::vector<std::string> lines;
    for (QAction* action : menu->actions())
        lines.push_back(action->isSeparator()
                            ? "-"
                            : action->text().toStdString() + " | " + action->statusTip().toStdString());
    return lines;
}

class MenuStructure : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;
    QMenu* menu(int index) { return fixture.window().menuBar()->actions().at(index)->menu(); }
};

TEST_F(MenuStructure, MenuBarTitlesInOrder) {
    std::vector<std::string> titles;
    for (QAction* action : fixture.window().menuBar()->actions())
        titles.push_back(action->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&Bestand", "Beel&d", "&Veld", "&Trianzoids", "&Zoeken",
                                                "&Oplossingen", "&Hulp"}));
}

TEST_F(MenuStructure, FileMenu) {
    EXPECT_EQ(describeMenu(menu(0)),
              (std::vector<std::string>{
                  "&Nieuw\tCtrl+N | Nieuw veld maken | Nieuw",
                  "&Open...\tCtrl+O | Open een bestaand veld | Open",
                  "O&pslaan\tCtrl+S | Sla het veld op | Opslaan",
                  "Ops&laan als... | Sla het veld op met een nieuwe naam | Opslaan als",
                  "-",
                  "&Afdrukken...\tCtrl+P | Druk veld af | Afdrukken",
                  "A&fdrukvoorbeeld... | Afdrukvoorbeeld | Afdrukvoorbeeld",
                  "Paginains&telling... | Wijzig instellingen van de printer | Instellingen printer",
                  "-",
                  "Recent File | Open een veld | Recent File",
                  "-",
                  "E&xit | Einde programma | Klaar",
              }));
}

TEST_F(MenuStructure, ViewMenu) {
    EXPECT_EQ(describeMenu(menu(1)),
              (std::vector<std::string>{
                  "&Werkbalk | Toon of verberg werkbalk | Wel/geen werkbalk",
                  "&Statusregel | Toon of verberg statusbalk | Wel/geen statusbalk",
                  "-",
                  "&Achtergrondkleur... | Kies een nieuwe achtergrondkleur | Kies achtergrondkleur",
                  "-",
                  "Vulkleur gr&ijs | Vulkleur grijs | Vulkleur grijs",
                  "Vulkleur &rood | Vulkleur rood | Vulkleur rood",
                  "Vulkleur gro&en | Vulkleur groen | Vulkleur groen",
                  "Vulkleur &blauw | Vulkleur blauw | Vulkleur blauw",
                  "Vulkleur gee&l | Vulkleur geel | Vulkleur geel",
                  "-",
                  "&Geluid | Wel of geen piep bij gevonden oplossing | Piep bij oplossing",
              }));
}

TEST_F(MenuStructure, FieldAndPiecesMenus) {
    EXPECT_EQ(describeMenu(menu(2)),
              (std::vector<std::string>{
                  "&Veldgegevens... | Geef de veldgegevens op | Specificeer veldgegevens",
                  "Veld &schoonmaken | Gehele veld schoonmaken | Gehele veld schoonmaken",
                  "Veld naar &klembord | Veld naar klembord | Veld naar klembord",
                  "-",
                  "V&orm... | Maak het open deel van het veld een parallellogram, zeshoek of driehoek | "
                  "Vorm van het veld",
              }));
    EXPECT_EQ(describeMenu(menu(3)),
              (std::vector<std::string>{
                  "Open tri&anzoidbestand... | Open een bestand met eigenschappen van de trianzoids | "
                  "Open trianzoidsbestand",
                  "-",
                  "&Toon trianzoids... | Toon trianzoid uit huidig trianzoidbestand | Toon trianzoids",
                  "-",
                  "Trianzoids &ontwerpen... | Teken de trianzoids van een trianzoidbestand, of maak een "
                  "standaardset | Trianzoids ontwerpen",
              }));
}

TEST_F(MenuStructure, SearchAndSolutionsMenus) {
    EXPECT_EQ(describeMenu(menu(4)),
              (std::vector<std::string>{
                  "&Ga zoeken | Start het zoekproces | Start zoeken",
                  "&Zoeken speciaal | Start het zoekproces, wacht bij oplossing op toetsaanslag | "
                  "Start zoeken, wacht bij opl.",
                  "-",
                  "&Volgende eerste | Neem volgende ligging eerste geplaatste trianzoid | Volgende eerste",
                  "-",
                  "&Onderbreek | Onderbreek zoekpreces (kan ook met ESC) | Onderbreek zoekproces",
                  "-",
                  "&Letteroplossing |  | Letteroplossing",
                  // The search modes joined the menu after "Letteroplossing".
                  "-",
                  "Elke betegeling &eenmaal | Zoek elke betegeling eenmaal: kopieën en gelijke trianzoids "
                  "zijn verwisselbaar | Elke betegeling eenmaal",
                  "&Uniek op draaien en spiegelen na | Zoek een betegeling van elke soort op draaien en "
                  "spiegelen van het veld na | Uniek op draaien en spiegelen na",
                  "Open vakjes &toegestaan | Leg alle trianzoids op elke manier, de overgebleven vakjes "
                  "blijven open | Open vakjes toegestaan",
              }));
    EXPECT_EQ(describeMenu(menu(5)),
              (std::vector<std::string>{
                  "&Toon oplossingen zwart-wit | Toon de zojuist gevonden oplossingen | "
                  "Toon oplossingen",
                  "Toon oplossingen in &kleur |  | Toon oplossingen in kleur",
                  "-",
                  "&Eerste oplossing\tHome | Toon eerste oplossing | Eerste oplossing\tHome",
                  "&Volgende oplossing\tGrijze + | Toon volgende oplossing | Volgende oplossing\tGrijze +",
                  "Vo&rige oplossing\tGrijze - | Toon vorige oplossing | Vorige oplossing\tGrijze -",
                  "&Laatste oplossing\tEnd | Toon laatste oplossing | Laatste oplossing\tEnd",
                  "-",
                  "&Klaar met oplossingen | Klaar met oplossingen bekijken | Klaar met oplossingen",
                  // The counts of the last search came after it, before the export.
                  "-",
                  "Tellin&gen... | Toon de tellingen van de laatste zoektocht | Tellingen",
                  // Pictures of the solutions joined the menu as its last entry.
                  "-",
                  "E&xporteren... | Sla de oplossingen op als SVG- of PNG-afbeeldingen of als pdf-vel | "
                  "Exporteren",
              }));
}

TEST_F(MenuStructure, HelpMenu) {
    const auto lines = describeMenu(menu(6));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "&Hulponderwerpen | Hulponderwerpen | Hulponderwerpen");
    EXPECT_EQ(lines[1], "-");
    EXPECT_EQ(menu(6)->actions()[2]->text(), "&Over Trianzoid...");
    EXPECT_EQ(menu(6)->actions()[2]->toolTip(), "Over trianzoids");
}

TEST_F(MenuStructure, ContextMenus) {
    EXPECT_EQ(describePopup(fixture.window().editingContextMenu()),
              (std::vector<std::string>{
                  "Veld specificeren | Omvang veld opgeven",
                  "Veld schoonmaken | Veld geheel schoonmaken",
                  "-",
                  "Open trianzoidbestand... | Open een trianzoidbestand",
                  "Toon trianzoids... | Toon trianzoids en hun rotaties",
                  "-",
                  "Ga zoeken | Start zoeken, wacht niet bij een oplossing",
                  "Zoeken speciaal | Start zoeken, wacht bij een oplossing",
                  "-",
                  "Onderbreek | Onderbreek zoekproces",
                  "-",
                  "Toon oplossingen zwart-wit | Toon de oplossingen",
                  "Toon oplossingen in kleur | ",
              }));
    EXPECT_EQ(describePopup(fixture.window().solutionsContextMenu()),
              (std::vector<std::string>{
                  "Eerste oplossing\tHome | Toon eerste oplossing",
                  "Volgende oplossing\tGrijze + | Toon volgende oplossing",
                  "Vorige oplossing\tGrijze - | Toon vorige oplossing",
                  "Laatste oplossing\tEnd | Toon laatste oplossing",
                  "Klaar met oplossingen | Klaar met oplossingen bekijken",
              }));
    // The popup's entries carry identifiers of their own, 32793 excepted.
    std::vector<int> ids;
    for (QAction* action : fixture.window().editingContextMenu()->actions())
        if (!action->isSeparator()) ids.push_back(action->data().toInt());
    EXPECT_EQ(ids, (std::vector<int>{32790, 32789, 32792, 32793, 32799, 32806, 32800, 32804, 32849}));
}

TEST_F(MenuStructure, ToolBarHasElevenButtonsWithGaps) {
    std::vector<std::string> buttons;
    for (QAction* action : fixture.window().toolBar()->actions()) {
        if (action->isSeparator()) {
            buttons.push_back("|");
            continue;
        }
        EXPECT_FALSE(action->icon().isNull());
        buttons.push_back(std::to_string(action->data().toInt()) + " " + action->toolTip().toStdString() +
                          " / " + action->statusTip().toStdString());
    }
    EXPECT_EQ(
        buttons,
        (std::vector<std::string>{
            "57600 Nieuw / Nieuw veld maken",
            "57601 Open / Open een bestaand veld",
            "57603 Opslaan / Sla het veld op",
            "|",
            "32791 Open trianzoidsbestand / Open een bestand met eigenschappen van de trianzoids",
            "|",
            "57607 Afdrukken / Druk veld af",
            "|",
            "57664 Over trianzoids / " + fixture.window().toolBar()->actions()[8]->statusTip().toStdString(),
            "|",
            "32778 Vulkleur grijs / Vulkleur grijs",
            "32779 Vulkleur rood / Vulkleur rood",
            "32780 Vulkleur groen / Vulkleur groen",
            "32781 Vulkleur blauw / Vulkleur blauw",
            "32782 Vulkleur geel / Vulkleur geel",
        }));
    EXPECT_EQ(fixture.window().toolBar()->iconSize(), QSize(16, 15));
}

TEST_F(MenuStructure, StatusBarPanes) {
    MainWindow& w = fixture.window();
    EXPECT_EQ(w.pane(1)->width(), 70);
    EXPECT_EQ(w.pane(2)->width(), 20);
    EXPECT_EQ(w.pane(3)->width(), 50);
    EXPECT_GT(w.pane(0)->width(), 300);  // the rest of the bar
    // A prompt shown and gone leaves the idle text. Prompts are written into pane 0 itself (they were a
    // status bar message over it, which could stay while cells were edited): what the program writes
    // there meanwhile replaces the prompt and stays when the prompt ends.
    const auto prompt = [&w](const QString& text) {
        QStatusTipEvent tip(text);
        QCoreApplication::sendEvent(&w, &tip);
    };
    prompt("Nieuw veld maken");
    EXPECT_EQ(w.pane(0)->text(), "Nieuw veld maken");
    prompt(QString());
    EXPECT_EQ(w.pane(0)->text(), "Vul veld met muis (met Ctlr en/of Shift)");
    prompt("Toon de versie van het programma");
    w.view().ShowStatus("Zoeken kan starten");
    prompt(QString());
    EXPECT_EQ(w.pane(0)->text(), "Zoeken kan starten");
    EXPECT_EQ(w.windowTitle(), "Naamloos - Trianzoid");
}

TEST_F(MenuStructure, AcceleratorKeys) {
    std::vector<std::string> keys;
    for (QAction* action : fixture.window().actions())
        if (!action->shortcut().isEmpty())
            keys.push_back(action->shortcut().toString(QKeySequence::PortableText).toStdString());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"Ctrl+N",        "Ctrl+O",    "Ctrl+S",   "Ctrl+P",    "Home",
                                        "End",           "Num++",     "Num+-",    "Ctrl+C",    "Ctrl+Ins",
                                        "Ctrl+V",        "Shift+Ins", "Ctrl+X",   "Shift+Del", "Ctrl+Z",
                                        "Alt+Backspace", "F1",        "Shift+F1", "F6",        "Shift+F6"}));
}

}  // namespace

// Every command of the menus, the toolbar and the keys has its row of facts: none is left to the view's
// default unseen, and each is checkable as its row says.
TEST_F(MenuStructure, EveryCommandHasItsFacts) {
    auto listed = [](int id) {
        for (const CommandFacts& facts : commandFactsTable())
            if (id >= facts.first && id <= facts.last) return true;
        return false;
    };
    std::vector<int> ids;
    for (const MenuTable& menu : mainMenuTable())
        for (const MenuEntry& entry : menu.entries) ids.push_back(entry.id);
    for (const auto& table : {editingContextMenuTable(), solutionsContextMenuTable()})
        for (const MenuEntry& entry : table) ids.push_back(entry.id);
    for (const ToolButtonEntry& button : toolBarTable()) ids.push_back(button.id);
    for (const AcceleratorEntry& key : acceleratorTable()) ids.push_back(key.id);
    for (int id : ids) {
        if (id == 0) continue;
        EXPECT_TRUE(listed(id)) << id;
        for (QAction* action : fixture.window().actionsFor(id))
            EXPECT_EQ(action->isCheckable(), commandFacts(id).checkable) << id;
    }
}
