#include "Splash.h"

#include "platform/Picture.h"
#include "platform/Twips.h"
#include "tessaly/common/ScreenReaderName.h"
#include "tessaly/common/WindowLook.h"

#include <QFrame>
#include <QLabel>

namespace {

QLabel* WhiteLabel(const char* text, QWidget* parent, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setStyleSheet("color: white; background: black;");
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Splash::Splash(const std::string& logo, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("Splash");
    setAccessibleName("Tessaly");
    setFixedSize(Twips(7380), Twips(4245));
    PaintBlack(*this);

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setGeometry(TwipsRect(150, 120, 7080, 3990));
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet("QFrame#Frame1 { border: 1px solid #6b5420; border-radius: 6px; }");

    auto* image = new QLabel(frame);
    image->setObjectName("Image1");
    image->setGeometry(TwipsRect(975, 600, 5130, 1815));
    image->setPixmap(KitPicture(logo));
    NameForScreenReaders(*image, "Tessaly logo");

    WhiteLabel("Setup: Searching for Ironvale...", frame, TwipsRect(975, 2640, 5130, 315))
        ->setObjectName("Label2");
    WhiteLabel("Version 3.0", frame, TwipsRect(5160, 3480, 1770, 315))->setObjectName("Label1");

    CentreOnScreen(*this);
}
