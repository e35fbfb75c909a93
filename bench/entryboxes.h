#pragma once
// The bench's seven entry boxes as the student uses them: the characters a
// box accepts (typed or pasted), the desktop's editing keys and menu, the
// texts the bench set, and when a box's value is validated.

#include "model/situations.h"

#include <QObject>
#include <QString>

#include <array>

class QLineEdit;

namespace titrage {

// What the boxes ask of the bench.
class EntryHost {
public:
    virtual ~EntryHost() = default;
    // Validates box `box`, as leaving it does.
    virtual void Text1_LostFocus(int box, bool onlyIfChanged) = 0;
    virtual void showStatus(const QString& text) = 0;
    // The window is closing: leaving a box then validates nothing.
    virtual bool closing() const = 0;
};

class EntryBoxes : public QObject {
    Q_OBJECT

public:
    EntryBoxes(EntryHost& host, QWidget& bench);

    // The status line while a box has the focus.
    static QString validateHint();

    std::array<QLineEdit*, kEntryBoxes> Text1{};

    QLineEdit& box(EntryBox b) const { return *Text1[b]; }
    QString text(EntryBox b) const;
    // The box's number, `fallback` when it holds none.
    float number(EntryBox b, float fallback = 0.0f) const;
    EntryTexts texts() const;
    // What box b held when the bench last set it (not typed by the student).
    const QString& benchText(int b) const { return m_benchText[static_cast<std::size_t>(b)]; }
    // Validates every box the student has typed into since the bench set it.
    void validatePending();
    // Read-only while the tap is open.
    void lock(bool locked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool entryEvent(int box, QEvent* event);
    void pasteInto(int box, const QString& text);
    void showMenu(int box, QPoint globalPos);

    EntryHost& m_host;
    std::array<QString, kEntryBoxes> m_benchText{};
};

// Two box texts that hold the same number (or the same text when not numbers).
bool sameEntryValue(const QString& a, const QString& b);

} // namespace titrage
