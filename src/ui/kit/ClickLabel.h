#pragma once

#include <QLabel>

namespace qvmd {

// A label that reports a click, for captions that act as links. The keyboard reaches it too: Tab gives it
// the focus (drawn as a focus frame) and Space or Enter clicks it; a screen reader sees a link (a button
// when it does not look like one) that it can press.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // Looks like a link: underlined blue text and a pointing hand.
    void showAsLink();
    bool looksLikeLink() const { return link_; }
    // The caption of the control it is the buddy of, as a check box's own text: a click still reaches the
    // control, but the keyboard and a screen reader meet the control alone, never a second stop with its
    // name.
    void captionOnly();
    bool isCaptionOnly() const { return caption_; }
    // What a click, a key or a screen reader's press does.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool link_ = false;
    bool caption_ = false;
};

} // namespace qvmd
