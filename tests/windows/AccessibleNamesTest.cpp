#include "WindowsFixture.h"
#include "tessaly/startup/Splash.h"
#include "tessaly/windows/HelpText.h"

#include <QAccessible>
#include <QTest>
#include <set>
#include <string>
#include <vector>

namespace {

// What a screen reader could not say of `node` and the tree below it: a part that a user reaches
// or reads but that has no name (panes, borders and scroll bars go by their role), or whose
// tooltip tells more than its name while it has no description. The window always needs a name.
void CollectUnsaid(QAccessibleInterface* node, bool window, std::vector<std::string>& unsaid) {
    if (!node || !node->isValid())
        return;
    const QObject* object = node->object();
    const std::string what =
        std::to_string(node->role()) + " " + (object ? object->metaObject()->className() : "item");
    const QString name = node->text(QAccessible::Name).trimmed();
    static const std::set<QAccessible::Role> namedByRole{QAccessible::Client, QAccessible::Pane,
                                                         QAccessible::Border, QAccessible::Grouping,
                                                         QAccessible::ScrollBar};
    if (name.isEmpty() &&
        (window || node->state().focusable || !namedByRole.contains(node->role())))
        unsaid.push_back(what + ": no name");
    const auto* control = qobject_cast<const QWidget*>(object);
    if (control && !control->toolTip().isEmpty() && control->toolTip() != name &&
        node->text(QAccessible::Description).isEmpty())
        unsaid.push_back(what + ": no description");
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnsaid(node->child(i), false, unsaid);
}

} // namespace

TEST_F(CommandsTest, EveryControlOfEveryWindowHasANameAScreenReaderCanSay) {
    const std::string eagle = file("eagle.ivb"); // in the file list before the window opens
    gif("eagle.gif", 3);
    Main& main = window();
    restoreEntries({eagle});
    main.cmdAbout_Click();
    Splash splash(kit.str() + "/logo.png");
    splash.show();
    kit.file("Tessaly.txt", "Tessaly\n");
    fakes.launcher.starts = false;
    main.cmdHelp_Click();
    QCoreApplication::processEvents();

    for (QWidget* window : std::initializer_list<QWidget*>{&main, &splash, LoadedCredits().front(),
                                                           main.findChild<HelpText*>()}) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->metaObject()->className());
        std::vector<std::string> unsaid;
        CollectUnsaid(QAccessible::queryAccessibleInterface(window), true, unsaid);
        EXPECT_EQ(unsaid, std::vector<std::string>{});
    }
}
