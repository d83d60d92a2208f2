#include "WindowsFixture.h"

#include <QApplication>

CommandsTest::~CommandsTest() {
    for (Credits* credits : LoadedCredits())
        delete credits;
}

std::vector<Credits*> CommandsTest::LoadedCredits() {
    std::vector<Credits*> loaded;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* credits = qobject_cast<Credits*>(window))
            loaded.push_back(credits);
    return loaded;
}

void CommandsTest::DestroyClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string CommandsTest::cue(const char* name) const {
    return kit.str() + "/" + name;
}
