#include "benchdriver.h"

#include "bench/apparatusview.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "platform/numberformat.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <cmath>

namespace titrage::testing {

bool copyShipped(const QString& folder, std::initializer_list<const char*> names,
                 const QString& subfolder)
{
    QString from = QStringLiteral(TITRAGE_DATA_DIR "/");
    if (!subfolder.isEmpty()) from += subfolder + QLatin1Char('/');
    bool ok = true;
    for (const char* name : names)
        ok &= QFile::copy(from + QLatin1String(name), folder + QLatin1Char('/') + QLatin1String(name));
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
    if (bytes.size() > 126) return false;
    QFile f(folder + QStringLiteral("/TEMPQZ.TMP"));
    if (!f.open(QIODevice::ReadWrite)) return false;
    if (f.size() < n * 128 && !f.resize(n * 128)) return false;
    QByteArray record(128, '\0');
    record[0] = static_cast<char>(bytes.size() & 0xFF);
    record[1] = static_cast<char>(bytes.size() >> 8);
    record.replace(2, bytes.size(), bytes);
    return f.seek((n - 1) * 128) && f.write(record) == record.size();
}

BenchDriver::BenchDriver(Start start)
    : m_dir(std::make_unique<QTemporaryDir>()), m_folder(m_dir->path())
{
    build(start, nullptr);
}

BenchDriver::BenchDriver(const QString& programFolder, Start start, MessageRecorder* recorder)
    : m_folder(programFolder)
{
    build(start, recorder);
}

BenchDriver::~BenchDriver() = default;

void BenchDriver::build(Start start, MessageRecorder* recorder)
{
    // The recorder is there before the window: nothing the start asks blocks.
    if (!recorder) {
        m_ownMessages = std::make_unique<MessageRecorder>(MessageAnswer::Ok);
        recorder = m_ownMessages.get();
    }
    m_messages = recorder;
    m_window = std::make_unique<feuilleP>(m_folder);
    if (start == Start::Shown) show();
}

void BenchDriver::show()
{
    m_window->show();
}

QString BenchDriver::file(const QString& name) const
{
    return m_folder + QLatin1Char('/') + name;
}

QLineEdit& BenchDriver::box(int i) const
{
    return find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i));
}

ValueTable& BenchDriver::table() const
{
    return find<ValueTable>(QStringLiteral("MSFlexGrid1"));
}

GraphView& BenchDriver::graph() const
{
    return find<GraphView>(QStringLiteral("Picture1"));
}

ApparatusView& BenchDriver::apparatus() const
{
    return find<ApparatusView>(QStringLiteral("picburette"));
}

TabStrip& BenchDriver::tabs() const
{
    return find<TabStrip>(QStringLiteral("Onglets"));
}

ParametresPage& BenchDriver::parameters() const
{
    return find<ParametresPage>(QStringLiteral("Picture3"));
}

QAction& BenchDriver::action(const QString& name) const
{
    return find<QAction>(name);
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

QString BenchDriver::entry(int i) const
{
    return box(i).text();
}

QString BenchDriver::conductimeter() const
{
    return text(QStringLiteral("LabelpH"));
}

std::optional<double> BenchDriver::sigma() const
{
    return parseNumber(conductimeter().toStdString());
}

double BenchDriver::poured() const
{
    return parseNumber(entry(5).toStdString()).value_or(NAN);
}

int BenchDriver::rows() const
{
    return table().measurementRows();
}

QString BenchDriver::cell(int row, int column) const
{
    return table().cellText(row, column);
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

bool BenchDriver::timerActive(const QString& timer) const
{
    return find<QTimer>(timer).isActive();
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

void BenchDriver::type(int i, const QString& text)
{
    typeText(i, text);
    QTest::keyClick(&box(i), Qt::Key_Return);
}

void BenchDriver::click(const QString& name)
{
    QTest::mouseClick(&find<QWidget>(name), Qt::LeftButton);
}

void BenchDriver::holdTap(int ticks)
{
    QWidget& tap = find<QWidget>(QStringLiteral("Image3"));
    QTest::mousePress(&tap, Qt::LeftButton);
    for (int i = 0; i < ticks && timerActive(QStringLiteral("Timer1")); ++i)
        tick(QStringLiteral("Timer1"));
    QTest::mouseRelease(&tap, Qt::LeftButton, {}, QPoint(-5, -5));
}

void BenchDriver::clickTap()
{
    click(QStringLiteral("Image3"));
}

void BenchDriver::drop()
{
    click(QStringLiteral("Image1"));
    for (int i = 0; i < 4 && timerActive(QStringLiteral("Timer2")); ++i)
        tick(QStringLiteral("Timer2"));
}

namespace {
// Picks an item the way the student does: the list tells its handler by `activated`.
void choose(QComboBox& list, int position)
{
    list.setCurrentIndex(position);
    emit list.activated(position);
}
} // namespace

void BenchDriver::solute(int position)
{
    choose(find<QComboBox>(QStringLiteral("lbecher")), position);
}

void BenchDriver::indicator(int position)
{
    choose(find<QComboBox>(QStringLiteral("lindic")), position);
}

void BenchDriver::nature(int n)
{
    find<QAbstractButton>(QStringLiteral("Option1(%1)").arg(n)).click();
}

void BenchDriver::situation(int k)
{
    click(QStringLiteral("Option2(%1)").arg(k));
}

void BenchDriver::page(int k)
{
    TabStrip& strip = tabs();
    const auto& bounds = strip.bornesonglets();
    const qreal scale = layoutScale(&strip);
    const QPointF title((bounds[k - 1] + bounds[k]) / 2.0, TabStrip::kTabHeight / 2.0);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, (title * scale).toPoint());
    EXPECT_EQ(strip.ongletactif(), k) << "a click on the title of tab " << k;
}

void BenchDriver::tick(const QString& timer)
{
    // What the event loop does when the interval has passed.
    QMetaObject::invokeMethod(&find<QTimer>(timer), "timeout", Qt::DirectConnection);
}

} // namespace titrage::testing
