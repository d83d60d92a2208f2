#include "WindowsFixture.h"
#include "tessaly/startup/Splash.h"
#include "tessaly/windows/HelpText.h"

#include <QAccessible>
#include <QTest>
#include <set>
#include <string>
#include <vector>

namespace {

// Parts that a screen reader names by their role alone: the windows' panes and borders, and
// scroll bars, which the toolkit leaves unnamed.
bool NamedByRole(QAccessible::Role role) {
    static const std::set<QAccessible::Role> roles{QAccessible::Client, QAccessible::Pane,
                                                   QAccessible::Border, QAccessible::Grouping,
                                                   QAccessible::ScrollBar};
    return roles.contains(role);
}

std::string Describe(QAccessibleInterface& node) {
    const QObject* object = node.object();
    return std::to_string(node.role()) + " " +
           (object ? object->metaObject()->className() : "item");
}

// What a screen reader could not say of `node` and the tree below it: a part that a user
// reaches or reads but that has no name, or whose tooltip tells more than its name while it
// has no description. The window itself always needs a name.
void CollectUnsaid(QAccessibleInterface* node, bool window, std::vector<std::string>& unsaid) {
    if (!node || !node->isValid())
        return;
    const QString name = node->text(QAccessible::Name).trimmed();
    if (name.isEmpty() && (window || node->state().focusable || !NamedByRole(node->role())))
        unsaid.push_back(Describe(*node) + ": no name");
    if (const auto* control = qobject_cast<const QWidget*>(node->object())) {
        const QString tip = control->toolTip();
        if (!tip.isEmpty() && tip != name && node->text(QAccessible::Description).isEmpty())
            unsaid.push_back(Describe(*node) + ": no description");
    }
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnsaid(node->child(i), false, unsaid);
}

std::vector<std::string> Unsaid(QWidget& window) {
    std::vector<std::string> unsaid;
    CollectUnsaid(QAccessible::queryAccessibleInterface(&window), true, unsaid);
    return unsaid;
}

} // namespace

TEST_F(CommandsTest, EveryControlOfEveryWindowHasANameAScreenReaderCanSay) {
    file("eagle.ivb");
    gif("eagle.gif", 3);
    Main& main = window();
    restoreEntries({file("eagle.ivb")});
    main.cmdAbout_Click();
    Splash splash(kit.str() + "/logo.png");
    splash.show();
    kit.file("Tessaly.txt", "Tessaly\n");
    fakes.launcher.starts = false;
    main.cmdHelp_Click();
    QCoreApplication::processEvents();

    std::vector<std::pair<const char*, QWidget*>> windows = {{"Main", &main},
                                                             {"Splash", &splash},
                                                             {"Credits", LoadedCredits().front()},
                                                             {"Help", main.findChild<HelpText*>()}};
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Unsaid(*window), std::vector<std::string>{});
    }
}
