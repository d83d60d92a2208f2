#include "Credits.h"

#include "CreditsScroll.h"
#include "platform/Picture.h"
#include "platform/Twips.h"
#include "platform/WindowStyle.h"
#include "tessaly/common/CharacterKey.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/ScreenReaderName.h"
#include "tessaly/common/Sound.h"
#include "tessaly/common/Strings.h"
#include "tessaly/common/WindowLook.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

namespace {

constexpr int ClientWidth = 5670;
constexpr int ClientHeight = 1635;
constexpr float DesignLeft = 240;
constexpr float DesignTop = 960;

// The platform that the window was drawn for ticked a 1 ms timer at its own timer's
// resolution, 15.6 ms; 16 ms keeps that speed (about 100 pixels a second) within 3 %.
constexpr int TickMilliseconds = 16;

QFont CreditsFont() {
    QFont font("Times New Roman");
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(8.25);
    return font;
}

QLabel* Line(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(CreditsFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Credits::Credits(platform::Services services, QWidget* parent)
    : QWidget(parent), services_(services), left_(DesignLeft), top_(DesignTop) {
    setObjectName("Credits");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Loomwright");
    setWindowIcon(KitPicture(kitFile(kit::WindowIcon)));
    FixWindowSize(*this, {Twips(ClientWidth), Twips(ClientHeight)});
    PaintBlack(*this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    // Children without a pointer of their own show their window's.
    setCursor(QCursor(KitPicture(kitFile(kit::PointerIcon)), 0, 0));

    buildControls();

    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(TickMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &Credits::Timer1_Timer);
    Timer1->start();

    CentreOnScreen(*this);
}

void Credits::buildControls() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setAutoFillBackground(true);
    Frame1->resize(Twips(5130), Twips(4575));
    placeFrame();

    Image1 = new QLabel(Frame1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(TwipsRect(0, 120, 5130, 1815));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(KitPicture(kitFile(kit::Logo)));
    NameForScreenReaders(*Image1, "Tessaly logo");

    Label4 = Line(Frame1, "Label4", "Tessaly 3.0 by Orvik, 2004", TwipsRect(1080, 2040, 3375, 375));
    Label2 =
        Line(Frame1, "Label2", "http://loomwright.example.org/", TwipsRect(1080, 2520, 2775, 375));
    // The address shows in the scheme's highlight text on its button text: white on black in
    // the usual scheme, and still readable in another.
    Label2->setForegroundRole(QPalette::HighlightedText);
    Label2->setBackgroundRole(QPalette::ButtonText);
    Label2->setAutoFillBackground(true);
    Label1 = Line(Frame1, "Label1", "An unofficial kit, not made or endorsed by Ironvale's makers.",
                  TwipsRect(1080, 3000, 3015, 615));
    Label1->setWordWrap(true);
    Label3 = Line(Frame1, "Label3", "Logo \u00a9 2004 Orvik. All rights reserved.",
                  TwipsRect(1080, 3840, 3735, 375));
}

void Credits::Form_Load() {
    cue(kit::cue::CreditsOpen, platform::Wait::No);
}

void Credits::Form_Resize() {
    left_ = CentredLeft(static_cast<float>(width() * TwipsPerPixel),
                        static_cast<float>(Frame1->width() * TwipsPerPixel));
    placeFrame();
}

void Credits::Timer1_Timer() {
    top_ = ScrollTick(top_, static_cast<float>(Frame1->height() * TwipsPerPixel),
                      static_cast<float>(height() * TwipsPerPixel));
    placeFrame();
}

void Credits::placeFrame() {
    Frame1->move(PixelOf(left_), PixelOf(top_));
}

void Credits::Form_KeyPress(int /*KeyAscii*/) {
    close();
}

void Credits::Form_Click() {
    clickCue();
}

void Credits::Frame1_Click() {
    clickCue();
}

void Credits::Label1_Click() {
    clickCue();
}

void Credits::Label2_Click() {
    clickCue();
}

void Credits::Label3_Click() {
    clickCue();
}

void Credits::Label4_Click() {
    clickCue();
}

void Credits::clickCue() {
    cue(kit::cue::CreditsClick, platform::Wait::No);
}

// The two waited-for cues follow each other from the event loop, not from a wait inside this
// handler: the window may close meanwhile (a key, its frame, Quit), and with it go the steps
// still to come. The panel stands still until the second cue has ended; a further click on the
// logo meanwhile is spent on nothing.
void Credits::Image1_Click() {
    if (logoCuesPlaying_)
        return;
    logoCuesPlaying_ = true;
    Timer1->stop();
    cueThen(kit::cue::CreditsLogoClick, [this] {
        cueThen(kit::cue::CreditsLogoFlourish, [this] {
            logoCuesPlaying_ = false;
            Timer1->start();
            cue(kit::cue::Ok, platform::Wait::No);
        });
    });
}

void Credits::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The key is spent on closing: nothing else sees it.
void Credits::keyPressEvent(QKeyEvent* event) {
    if (const auto code = CharacterCode(*event)) {
        event->accept();
        Form_KeyPress(*code);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The panel and its lines take no mouse events of their own, so every click in the window
// arrives here, placed in the window.
void Credits::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressedOn_ = childAt(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void Credits::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressedOn_)
        return;
    QWidget* const pressed = *std::exchange(pressedOn_, std::nullopt);
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at) || childAt(at) != pressed)
        return;
    using Handler = void (Credits::*)();
    const std::pair<QWidget*, Handler> handlers[] = {
        {Image1, &Credits::Image1_Click}, {Frame1, &Credits::Frame1_Click},
        {Label1, &Credits::Label1_Click}, {Label2, &Credits::Label2_Click},
        {Label3, &Credits::Label3_Click}, {Label4, &Credits::Label4_Click},
    };
    for (const auto& [control, handler] : handlers) {
        if (pressed == control) {
            (this->*handler)();
            return;
        }
    }
    Form_Click();
}

std::string Credits::kitFile(const char* name) const {
    return AddBackslash(services_.programFolder.kitFolder()) + name;
}

void Credits::cue(const char* name, platform::Wait wait) {
    PlayCue(services_.programFolder, services_.sound, name, wait);
}

void Credits::cueThen(const char* name, std::function<void()> ended) {
    PlayCueThen(services_.programFolder, services_.sound, name, *this, std::move(ended));
}
