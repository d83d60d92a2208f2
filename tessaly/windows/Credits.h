#pragma once

#include "platform/Services.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QTimer;

// Tessaly's about box: a small black window in which a panel with the logo and four lines of
// credits rises without end. It has no owner and is destroyed when it closes, so a closed one
// is no longer found among the loaded windows.
class Credits : public QWidget {
    Q_OBJECT

public:
    explicit Credits(platform::Services services, QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    void Timer1_Timer();
    void Form_KeyPress(int KeyAscii);
    // A click on the window, the panel or a line of text only plays its cue.
    void Form_Click();
    void Frame1_Click();
    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Image1_Click();

    // The panel's place in twips, kept between ticks finer than a pixel.
    float frameLeft() const { return left_; }
    float frameTop() const { return top_; }

    QFrame* Frame1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QTimer* Timer1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void placeFrame();
    std::string kitFile(const char* name) const;
    void cue(const char* name, platform::Wait wait);
    void cueThen(const char* name, std::function<void()> ended);
    void clickCue();

    platform::Services services_;
    float left_;
    float top_;
    // The control under the left button's press (none for the window itself), which its
    // release must end on to make a click.
    std::optional<QWidget*> pressedOn_;
    bool logoCuesPlaying_ = false;
};
