#include "calculator/machine.h"

#include "calculator/calckey.h"
#include "calculator/core/numbertext.h"
#include "platform/coretext.h"
#include "platform/layoutscaler.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// Window geometry, in pixels. The background gradient runs over x = 0 ... 301.
constexpr int kWidth = 302;
constexpr int kHeight = 474;
constexpr QRect kDisplayFull(8, 46, 286, 59);
constexpr QRect kDisplaySimple(8, 16, 286, 89);
constexpr QRect kKeyPanel(4, 174, 293, 294);

// Scientific keys: six columns; digits and operators: five larger columns.
constexpr int kSciLeft = 9, kSciPitchX = 48, kSciWidth = 44;
constexpr int kSciTop = 181, kSciPitchY = 29, kSciHeight = 25;
constexpr int kNumLeft = 9, kNumPitchX = 57, kNumWidth = 54;
constexpr int kNumTop = 330, kNumPitchY = 34, kNumHeight = 30;

QRect sciKey(int row, int col)
{
    return {kSciLeft + col * kSciPitchX, kSciTop + row * kSciPitchY, kSciWidth, kSciHeight};
}

QRect numKey(int row, int col, int span = 1)
{
    return {kNumLeft + col * kNumPitchX, kNumTop + row * kNumPitchY,
            kNumWidth + (span - 1) * kNumPitchX, kNumHeight};
}

// Key faces by family.
const QColor kDigitFace(246, 246, 240);
const QColor kOperatorFace(196, 214, 238);
const QColor kFunctionFace(214, 220, 232);
const QColor kPrefixFace(228, 228, 212);
const QColor kMemoryFace(238, 222, 178);
const QColor kClearFace(238, 184, 164);
const QColor kExeFace(172, 214, 168);
const QColor kConstantFace(222, 212, 236);

std::function<void()>& beepHook()
{
    static std::function<void()> hook;
    return hook;
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The display as the core keeps it; its messages are shown translated.
QString shownText(const std::string& display)
{
    for (const char* message : {kPatience, kCalculImpossible, kRevoirParentheses,
                                kIncomprehensionOperateurs, kDepassementCapacite})
        if (display == message) return coreText("MachineState", message);
    return fromUtf8(display);
}

} // namespace

void Machine::setBeepHook(std::function<void()> hook)
{
    beepHook() = std::move(hook);
}

Machine::Machine(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(tr("Machine à calculer"));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial"), 8));

    createDisplay();
    createOptions();
    createKeys();
    reset();
    // Laid out at its design size; shown larger (on the projector, beside a
    // bench shown larger) everything in it grows together.
    resize(kWidth, kHeight);
    new LayoutScaler(this, QSize(kWidth, kHeight));
    setMinimumSize(kWidth, kHeight);
}

void Machine::placeAtScale(qreal scale, const QRect& over)
{
    // As large as the bench it belongs to, within the screen's free area.
    if (const QScreen* screen = over.isValid() ? QGuiApplication::screenAt(over.center()) : nullptr)
        scale = std::min(scale, 0.95 * screen->availableGeometry().height() / kHeight);
    scale = std::max<qreal>(scale, 1.0);
    QRect r(QPoint(), QSize(static_cast<int>(std::lround(kWidth * scale)),
                            static_cast<int>(std::lround(kHeight * scale))));
    if (over.isValid()) r.moveCenter(over.center());
    setGeometry(r);
}

void Machine::createDisplay()
{
    z1 = new QPlainTextEdit(this);
    z1->setObjectName(QStringLiteral("z1"));
    z1->setGeometry(kDisplayFull);
    z1->setReadOnly(true);
    // Read-only, but the caret stays visible at the end of the text.
    z1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    z1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    z1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    z1->setFont(QFont(QStringLiteral("Arial"), 13, QFont::Bold));
    z1->setContextMenuPolicy(Qt::NoContextMenu);
    z1->installEventFilter(this);
}

void Machine::createOptions()
{
    Frame1 = new QGroupBox(tr("Angles"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 110, 140, 58);
    angle[0] = new QRadioButton(tr("Degrés"), Frame1);
    angle[1] = new QRadioButton(tr("Radians"), Frame1);

    Frame2 = new QGroupBox(tr("Affichage"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(154, 110, 140, 58);
    C[0] = new QRadioButton(tr("Scientifique"), Frame2);
    C[1] = new QRadioButton(tr("Standard"), Frame2);

    for (int i = 0; i < 2; ++i) {
        angle[i]->setObjectName(QStringLiteral("angle(%1)").arg(i));
        angle[i]->setGeometry(10, 17 + 19 * i, 120, 18);
        C[i]->setObjectName(QStringLiteral("C(%1)").arg(i));
        C[i]->setGeometry(10, 17 + 19 * i, 120, 18);
        connect(C[i], &QRadioButton::clicked, this, [this, i] { C_Click(i); });
    }
}

CalcKey* Machine::addKey(const QString& name, const QString& caption, QColor face, QRect geometry,
                         const QString& toolTip, std::function<void()> action)
{
    auto* key = new CalcKey(this);
    key->setObjectName(name);
    key->setText(caption);
    key->setFace(face);
    key->setGeometry(geometry);
    if (!toolTip.isEmpty()) key->setToolTip(toolTip);
    m_actions.insert(name, action);
    connect(key, &QAbstractButton::clicked, this, [this, name] { press(name); });
    return key;
}

void Machine::createKeys()
{
    MachineState& s = m_state;
    auto factor = [&s](const char* text) { return [&s, text] { s.appendFactor(text); }; };
    auto literal = [&s](const char* text) { return [&s, text] { s.append(text); }; };

    // Row of constants, shown only in the full layout.
    struct Constant {
        const char* caption;
        const char* value;
        const char* tip;
    };
    static const Constant constants[5] = {
        {"Ke", "1E-14", QT_TR_NOOP("Produit ionique de l'eau à 25 °C")},
        {"NA", "6.02214076E+23", QT_TR_NOOP("Nombre d'Avogadro (mol-1)")},
        {"F", "96485.33212", QT_TR_NOOP("Constante de Faraday (C/mol)")},
        {"R", "8.314462618", QT_TR_NOOP("Constante des gaz parfaits (J/(K.mol))")},
        {"e", "1.602176634E-19", QT_TR_NOOP("Charge élémentaire (C)")},
    };
    for (int i = 0; i < 5; ++i) {
        constante[i] =
            addKey(QStringLiteral("constante(%1)").arg(i), QString::fromUtf8(constants[i].caption),
                   kConstantFace, QRect(8 + 58 * i, 16, 54, 26), tr(constants[i].tip),
                   factor(constants[i].value));
    }

    // Functions.
    addKey("bsin", "&SIN", kFunctionFace, sciKey(0, 0), tr("Sinus"), factor("sin "));
    addKey("Bcos", "&COS", kFunctionFace, sciKey(0, 1), tr("Cosinus"), factor("cos "));
    addKey("Btan", "&TAN", kFunctionFace, sciKey(0, 2), tr("Tangente"), factor("tan "));
    addKey("Bln", "l&n", kFunctionFace, sciKey(0, 3), {}, factor("ln "));
    addKey("Blog", "&Log", kFunctionFace, sciKey(0, 4), {}, factor("log "));
    addKey("Bexp", "e", kFunctionFace, sciKey(0, 5), {}, factor("exp "))->setSuperscript("x");
    addKey("invsin", "INV S&IN", kFunctionFace, sciKey(1, 0), tr("Inverse sinus"),
           factor("invSIN "));
    addKey("invcos", "INV C&OS", kFunctionFace, sciKey(1, 1), tr("Inverse cosinus"),
           factor("invCOS "));
    addKey("Btoncommande3", "INV T&AN", kFunctionFace, sciKey(1, 2), tr("Inverse tangente"),
           factor("invTAN "));
    addKey("racine", "√x", kFunctionFace, sciKey(1, 3), tr("Racine carré"), factor("SQR "));
    addKey("B10x", "10", kFunctionFace, sciKey(1, 4), {}, factor("10 ^ "))->setSuperscript("x");
    addKey("Command5", "1/x", kFunctionFace, sciKey(1, 5), tr("Inverse"), factor("1 / "));

    // Powers, π, parentheses, exponent.
    addKey("btcarre", "x", kOperatorFace, sciKey(2, 0), {}, [&s] {
        s.square();
    })->setSuperscript("2");
    addKey("puissance", "x", kOperatorFace, sciKey(2, 1), {}, [&s] {
        s.power();
    })->setSuperscript("y");
    const std::string pi = piText();
    addKey("pi", "π", kFunctionFace, sciKey(2, 2), {}, [&s, pi] { s.appendFactor(pi); });
    addKey("Bpo", "(", kOperatorFace, sciKey(2, 3), {}, factor("("));
    addKey("bpf", ")", kOperatorFace, sciKey(2, 4), {}, literal(")"));
    addKey("BtoEXP", "EXP", kPrefixFace, sciKey(2, 5), "x 10", literal("E"));

    // Unit prefixes.
    struct Prefix {
        const char* name;
        const char* caption;
        const char* tip;
        const char* exponent;
    };
    static const Prefix prefixes[8] = {
        {"pico", "p", QT_TR_NOOP("pico"), "E-12"},  {"nano", "n", QT_TR_NOOP("nano"), "E-9"},
        {"micro", "µ", QT_TR_NOOP("micro"), "E-6"}, {"mil", "m", QT_TR_NOOP("milli"), "E-3"},
        {"kilo", "k", QT_TR_NOOP("kilo"), "E+3"},   {"mega", "M", QT_TR_NOOP("Méga"), "E+6"},
        {"giga", "G", QT_TR_NOOP("Giga"), "E+9"},   {"tera", "T", QT_TR_NOOP("Téra"), "E+12"},
    };
    for (int i = 0; i < 8; ++i) {
        addKey(prefixes[i].name, QString::fromUtf8(prefixes[i].caption), kPrefixFace,
               sciKey(3 + i / 6, i % 6), tr(prefixes[i].tip), literal(prefixes[i].exponent));
    }

    // Memory. M+, M- and CM leave the display as it is.
    addKey("Command1", "M+", kMemoryFace, sciKey(4, 2), tr("Ajouter à la méoire"),
           [&s] { s.memoryAdd(); });
    addKey("Command2", "M-", kMemoryFace, sciKey(4, 3), tr("Soustraire à la mémoire"),
           [&s] { s.memorySubtract(); });
    addKey("Command3", "RM", kMemoryFace, sciKey(4, 4), tr("Rappel mémoire"),
           [this] { m_state.memoryRecall(C[0]->isChecked()); });
    addKey("Command4", "CM", kMemoryFace, sciKey(4, 5), tr("Effacer la mémoire"),
           [&s] { s.memoryClear(); });

    // Digits and the four operations.
    static const char* const digitRows[3][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const char* d = digitRows[row][col];
            addKey(QStringLiteral("B") + d, d, kDigitFace, numKey(row, col), {}, literal(d));
        }
    }
    addKey("B0", "0", kDigitFace, numKey(3, 0), {}, literal("0"));
    addKey("Bpoint", ",", kDigitFace, numKey(3, 1), {}, literal("."));
    addKey("EFFACE", {}, kClearFace, numKey(0, 3), tr("Effacer dernier caractère"), [&s] {
        s.efface();
    })->setGlyph(CalcKey::Glyph::Backspace);
    addKey("RAZ", "AC", kClearFace, numKey(0, 4), tr("Tout effacer"), [&s] { s.raz(); });
    addKey("multip", "×", kOperatorFace, numKey(1, 3), {}, [&s] { s.operation('*'); });
    addKey("div", "÷", kOperatorFace, numKey(1, 4), {}, [&s] { s.operation('/'); });
    addKey("plus", "+", kOperatorFace, numKey(2, 3), {}, [&s] { s.operation('+'); });
    addKey("moins", "−", kOperatorFace, numKey(2, 4), {}, [&s] { s.minus(); });
    addKey("ANS", "ANS", kFunctionFace, numKey(3, 2), tr("Dernière réponse"), [&s] { s.ans(); });
    addKey("EXE", "EXE", kExeFace, numKey(3, 3, 2), tr("Calculer"), [this] { EXE_Click(); });
}

void Machine::useSimpleLayout()
{
    for (CalcKey* key : constante)
        key->hide();
    LayoutScaler::of(this)->setDesignGeometry(z1, kDisplaySimple);
}

// Runs the action of a key, then shows the expression; M+, M- and CM only
// give the display the focus.
void Machine::press(const QString& keyName)
{
    const auto action = m_actions.constFind(keyName);
    if (action == m_actions.constEnd()) return;
    (*action)();
    if (keyName == QLatin1String("Command1") || keyName == QLatin1String("Command2") ||
        keyName == QLatin1String("Command4")) {
        focusDisplay();
    } else {
        afficher();
    }
}

void Machine::EXE_Click()
{
    z1->setPlainText(coreText("MachineState", kPatience));
    const short angleMode = angle[1]->isChecked() ? AngleRadians : AngleDegrees;
    const bool beep = m_state.exe(angleMode, C[0]->isChecked(),
                                  [this] { return z1->toPlainText().trimmed().isEmpty(); });
    if (beep) {
        if (beepHook()) {
            beepHook()();
        } else {
            QApplication::beep();
        }
    }
}

void Machine::C_Click(int index)
{
    m_state.notationChosen(index == 0);
    afficher();
}

void Machine::afficher()
{
    const QString text = shownText(m_state.display());
    if (z1->toPlainText() != text) z1->setPlainText(text);
    focusDisplay();
}

void Machine::focusDisplay()
{
    z1->moveCursor(QTextCursor::End);
    z1->setFocus(Qt::OtherFocusReason);
}

// Typed keys act as the keys of the window: digits, "." or ",", "E" (also from "e",
// "d" and "D"), parentheses and operators; Enter is "EXE", Backspace erases
// the last token. Other keys do nothing.
bool Machine::keyTyped(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(QStringLiteral("EXE"));
        return true;
    case Qt::Key_Backspace:
        press(QStringLiteral("EFFACE"));
        return true;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1) return false;
    const char16_t c = text.at(0).unicode();
    if (c >= u'0' && c <= u'9') {
        press(QStringLiteral("B") + QChar(c));
        return true;
    }
    QString key;
    switch (c) {
    case u'.':
    case u',': // the decimal comma, from the main keys or the keypad
        key = QStringLiteral("Bpoint");
        break;
    case u'd':
    case u'e':
    case u'D':
    case u'E':
        key = QStringLiteral("BtoEXP");
        break;
    case u'(':
        key = QStringLiteral("Bpo");
        break;
    case u')':
        key = QStringLiteral("bpf");
        break;
    case u'*':
        key = QStringLiteral("multip");
        break;
    case u'+':
        key = QStringLiteral("plus");
        break;
    case u'-':
        key = QStringLiteral("moins");
        break;
    case u'/':
        key = QStringLiteral("div");
        break;
    case u'^':
        key = QStringLiteral("puissance");
        break;
    default:
        return false;
    }
    press(key);
    return true;
}

void Machine::keyPressEvent(QKeyEvent* event)
{
    if (keyTyped(event)) {
        event->accept();
    } else if (event->key() == Qt::Key_Escape) {
        QDialog::keyPressEvent(event); // closes the window, as any dialog
    } else {
        event->accept();
    }
}

bool Machine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == z1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) return false;
        keyTyped(key);
        return true; // the display itself never edits nor moves its caret
    }
    return QDialog::eventFilter(watched, event);
}

void Machine::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) reset();
}

// Every opening starts afresh; only the memory is kept.
void Machine::reset()
{
    m_state = MachineState();
    angle[1]->setChecked(true);
    C[1]->setChecked(true);
    afficher();
}

// A horizontal gradient of vertical lines, red = 200 - x/2 rounded and green =
// blue = red + 50, then light and dark lines around the key panel.
void Machine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const LayoutScaler* scaler = LayoutScaler::of(this);
    const qreal scale = scaler ? scaler->scale() : 1.0;
    const QPoint offset = scaler ? scaler->offset() : QPoint();
    // The gradient in design units, across the whole window.
    for (int x = 0; x < width(); ++x) {
        const int design = std::clamp(static_cast<int>((x - offset.x()) / scale), 0, kWidth - 1);
        const int red = static_cast<int>(std::lrint(200 - design / 2.0));
        p.setPen(QColor(red, red + 50, red + 50));
        p.drawLine(x, 0, x, height() - 1);
    }
    p.translate(offset);
    p.scale(scale, scale);
    const QRect r = kKeyPanel;
    const QColor light(250, 252, 252);
    const QColor dark(40, 60, 60);
    p.setPen(light);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.drawLine(r.right() - 1, r.top() + 2, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.left() + 2, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.setPen(dark);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
}

} // namespace titrage
