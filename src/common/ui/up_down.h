#pragma once
// A pair of arrow buttons that steps an integer position and shows it in a buddy edit.

#include <QLineEdit>
#include <QWidget>

class QToolButton;

namespace korvanta::common::ui {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const QString& name, QLineEdit* buddy, int minimum, int maximum,
           QWidget* parent = nullptr, int increment = 1);

    int position() const { return m_position; }
    // Sets the position (clamped to the range) and the buddy's text, without emitting clicked.
    void setPosition(int position);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);
    QLineEdit* buddy() const { return m_buddy; }

    // Steps as a click on an arrow does (up: +increment), then emits clicked.
    void stepUp();
    void stepDown();

signals:
    // A click on an arrow changed the position; `position` is the new one.
    void clicked(int position);

private:
    void step(int delta);

    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    int m_maximum;
    int m_increment;
    int m_position;
};

} // namespace korvanta::common::ui
