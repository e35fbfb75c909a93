#include "benchdriver.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMetaObject>
#include <QTextEdit>

namespace titrage::testing {

bool copyShipped(const QString& folder, std::initializer_list<const char*> names,
                 const QString& subfolder)
{
    const QString from = QStringLiteral(TITRAGE_DATA_DIR "/") + subfolder + QLatin1Char('/');
    bool ok = true;
    for (const char* name : names)
        ok &= QFile::copy(from + QLatin1String(name),
                          folder + QLatin1Char('/') + QLatin1String(name));
    return ok;
}

// The marker file holds 128-byte records: a 16-bit length and its bytes.
QByteArray markerRecord(const QString& folder, int n)
{
    QFile f(folder + QStringLiteral("/TEMPQZ.TMP"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = f.readAll();
    const int at = (n - 1) * 128;
    if (all.size() < at + 2) return {};
    const int length =
        static_cast<unsigned char>(all[at]) | (static_cast<unsigned char>(all[at + 1]) << 8);
    return all.mid(at + 2, length);
}

bool writeMarkerRecord(const QString& folder, int n, const QByteArray& bytes)
{
    QFile f(folder + QStringLiteral("/TEMPQZ.TMP"));
    if (bytes.size() > 126 || !f.open(QIODevice::ReadWrite)) return false;
    if (f.size() < n * 128 && !f.resize(n * 128)) return false;
    QByteArray record(128, '\0');
    record[0] = static_cast<char>(bytes.size());
    record.replace(2, bytes.size(), bytes);
    return f.seek((n - 1) * 128) && f.write(record) == record.size();
}

BenchDriver::BenchDriver(Start start) : BenchDriver(QString(), start) {}

BenchDriver::BenchDriver(const QString& programFolder, Start start, MessageRecorder* recorder)
    : m_folder(programFolder)
{
    if (m_folder.isEmpty()) {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path();
    }
    // The recorder is there before the window: nothing the start asks blocks.
    if (!recorder) {
        m_ownMessages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        recorder = m_ownMessages.get();
    }
    m_messages = recorder;
    m_window = std::make_unique<feuilleP>(m_folder);
    if (start == Start::Shown) show();
}

QString BenchDriver::text(const QString& name) const
{
    QObject& control = find<QObject>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(&control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(&control)) return button->text();
    if (auto* list = qobject_cast<QComboBox*>(&control)) return list->currentText();
    if (auto* area = qobject_cast<QTextEdit*>(&control)) return area->toPlainText();
    throw std::logic_error('"' + name.toStdString() + "\" shows no text");
}

bool BenchDriver::graphHasColourNear(double x, double y, QColor colour, int radius) const
{
    const Canvas& canvas = graph().canvas();
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            if (canvas.pixel(static_cast<int>(x) + dx, static_cast<int>(y) + dy) == colour)
                return true;
    return false;
}

void BenchDriver::typeText(int i, const QString& text)
{
    QLineEdit& edit = box(i);
    edit.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        QTest::keyClicks(&edit, text);
}

void BenchDriver::holdTap(int ticks)
{
    QWidget& tap = find<QWidget>("Image3");
    QTest::mousePress(&tap, Qt::LeftButton);
    for (int i = 0; i < ticks && timerActive("Timer1"); ++i)
        tick("Timer1");
    QTest::mouseRelease(&tap, Qt::LeftButton, {}, QPoint(-5, -5));
}

void BenchDriver::drop()
{
    click("Image1");
    for (int i = 0; i < 4 && timerActive("Timer2"); ++i)
        tick("Timer2");
}

// As the student picks an item: the list tells its handler by `activated`.
void BenchDriver::choose(const QString& name, int position)
{
    auto& list = find<QComboBox>(name);
    list.setCurrentIndex(position);
    emit list.activated(position);
}

void BenchDriver::page(int k)
{
    TabStrip& strip = tabs();
    const auto& bounds = strip.bornesonglets();
    const QPointF title((bounds[k - 1] + bounds[k]) / 2.0, TabStrip::kTabHeight / 2.0);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, (title * layoutScale(&strip)).toPoint());
    EXPECT_EQ(strip.ongletactif(), k) << "a click on the title of tab " << k;
}

void BenchDriver::tick(const QString& timer)
{
    // What the event loop does when the interval has passed.
    QMetaObject::invokeMethod(&find<QTimer>(timer), "timeout", Qt::DirectConnection);
}

} // namespace titrage::testing
