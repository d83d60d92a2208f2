// How long the rename question takes on a folder of 32,767 files: the listing, the plan and the
// preview text, then the real box until it is drawn, offscreen, then its details until drawn.
//
//   preview_bench [files=32767]
//
// Exits 1 when the question takes a second or more from the click to the drawn box.

#include "ScratchFolder.h"
#include "platform/QtMessageBoxes.h"
#include "tallyfold/BatchRename.h"
#include "tallyfold/RenamePreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 32'767;
    const ScratchFolder scratch("preview-bench");
    for (int i = 0; i < files; ++i)
        std::ofstream(scratch.path() / ("IMG_" + std::to_string(i) + ".jpg"));
    const std::string folder = scratch.str() + "/";

    const auto clicked = Clock::now();
    const PreparedBatch batch = PrepareBatch(folder, "pic", Placement::Prefix);
    const std::string preview = RenamePreview(batch.plan, batch.taken);
    const auto built = Clock::now();

    Clock::time_point drawn;
    Clock::time_point detailsDrawn;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll.stop();
        (void)QTest::qWaitForWindowExposed(box);
        box->grab();
        drawn = Clock::now();
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                button->click();
        box->grab();
        detailsDrawn = Clock::now();
        box->button(QMessageBox::No)->click();
    });
    poll.start(0);
    platform::QtMessageBoxes().show({"Tallyfold", "Rename all files in " + scratch.str() + " ?",
                                     platform::BoxIcon::None, platform::BoxButtons::YesNo,
                                     preview});

    std::printf("%d files, preview text of %zu bytes\n", files, preview.size());
    std::printf("  listing, plan and text   %8.1f ms\n", Milliseconds(clicked, built));
    std::printf("  box drawn                %8.1f ms after the click\n",
                Milliseconds(clicked, drawn));
    std::printf("  details drawn            %8.1f ms after the box\n",
                Milliseconds(drawn, detailsDrawn));
    return Milliseconds(clicked, drawn) < 1000 ? 0 : 1;
}
