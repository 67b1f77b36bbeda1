#pragma once
#include <QColor>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <string>

// A text field whose text and background colours the form sets: the current
// company and the state of a record are shown in it.
class ColourLabel : public QLabel {
    Q_OBJECT
public:
    explicit ColourLabel(QWidget* parent = nullptr);

    void SetTextColour(const QColor& colour);
    void SetBackColour(const QColor& colour);
    void SetLabelText(const std::string& text);
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    QColor TextColour() const { return m_textColour; }
    QColor BackColour() const { return m_backColour; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QColor m_textColour{0, 249, 126};
    QColor m_backColour{0, 0, 0};
    QPointer<QMenu> m_popupMenu;
};
