#include "engine/exercise_state.h"
#include "engine/exercise_timers.h"
#include "events/paced_timers.h"
#include "gui/exercise_window.h"
#include "gui/school_letters.h"
#include "gui/settings_window.h"
#include "gui/two_line_button.h"
#include "material/materials.h"
#include "program/letter_size.h"
#include "program/pause_picture.h"
#include "program/session.h"
#include "support/expected_syllables.h"
#include "support/plain_timers.h"
#include "window_test_support.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QtMath>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros
#endif
#include <windows.h>
#elif defined(KLANKFLITS_SCREEN_SAVER_DBUS)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QThread>
#endif

using namespace klankflits;
using klankflits::testing::EndRecorder;
using klankflits::testing::ModalWatcher;
using klankflits::testing::tab_chain;
using klankflits::testing::valid_syllables;

// A tick source that passes everything on to another one (a child of it) and
// keeps the state of the two timers as the engine last switched them.
class WatchedTimers : public TickSource, public ExerciseTimers
{
public:
    explicit WatchedTimers(TickSource* inner) : inner_(inner) { inner_->setParent(this); }

    bool timer1_enabled = false;
    bool timer2_enabled = false;
    std::int32_t timer2_interval_ms = 0;

    // TickSource
    ExerciseTimers& timers() override { return *this; }
    void start(TimerHandlers& handlers) override
    {
        timer1_enabled = true;
        inner_->start(handlers);
    }
    void between_ticks(const std::function<void()>& input) override
    {
        inner_->between_ticks(input);
    }
    void set_paused(bool paused) override { inner_->set_paused(paused); }

    // ExerciseTimers
    std::int32_t timer1_interval() const override { return inner_->timers().timer1_interval(); }
    void enable_timer1() override
    {
        timer1_enabled = true;
        inner_->timers().enable_timer1();
    }
    void disable_timer1() override
    {
        timer1_enabled = false;
        inner_->timers().disable_timer1();
    }
    void set_timer2_interval(std::int32_t ms) override
    {
        timer2_interval_ms = ms;
        inner_->timers().set_timer2_interval(ms);
    }
    void enable_timer2() override
    {
        timer2_enabled = true;
        inner_->timers().enable_timer2();
    }
    void disable_timer2() override
    {
        timer2_enabled = false;
        inner_->timers().disable_timer2();
    }

private:
    TickSource* inner_;
};

#if defined(_WIN32)

// Whether the thread asks Windows to keep the display on. A call without
// ES_CONTINUOUS leaves a continuous state as it is and hands it back.
bool display_required()
{
    const EXECUTION_STATE state = SetThreadExecutionState(ES_SYSTEM_REQUIRED);
    return (state & ES_CONTINUOUS) && (state & ES_DISPLAY_REQUIRED);
}

#elif defined(KLANKFLITS_SCREEN_SAVER_DBUS)

// The desktop's screen saver as it looks on the session bus, recording the
// calls it gets. It answers in a thread of its own, so that the window's
// blocking call at the end gets its answer.
class ScreenSaverStandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    struct Calls {
        QStringList inhibited_by; // the application names Inhibit got
        QList<uint> cookies_given;
        QList<uint> cookies_released;
    };

    Calls calls() const
    {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    void forget()
    {
        QMutexLocker lock(&mutex_);
        calls_ = {};
    }

public slots:
    void Ping() {}
    uint Inhibit(const QString& application, const QString& /*reason*/)
    {
        QMutexLocker lock(&mutex_);
        calls_.inhibited_by << application;
        calls_.cookies_given << ++last_cookie_;
        return last_cookie_;
    }
    void UnInhibit(uint cookie)
    {
        QMutexLocker lock(&mutex_);
        calls_.cookies_released << cookie;
    }

private:
    mutable QMutex mutex_;
    Calls calls_;
    uint last_cookie_ = 40;
};

#endif

class ExerciseWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void window_caption_and_client_size();
    void controls_data();
    void controls();
    void speed_buttons_show_their_caption_on_two_lines_data();
    void speed_buttons_show_their_caption_on_two_lines();
    void syllable_is_large_bold_and_centred_data();
    void syllable_is_large_bold_and_centred();
    void pause_picture_is_drawn_sharp_at_every_size_data();
    void pause_picture_is_drawn_sharp_at_every_size();
    void tab_order_and_initial_focus();
    void the_focused_button_shows_its_focus();
    void read_outs_show_every_figure_whole_data();
    void read_outs_show_every_figure_whole();
    void layout_scales_as_one_picture_data();
    void layout_scales_as_one_picture();
    void opens_scaled_down_on_a_screen_smaller_than_itself();
    void f11_switches_full_screen_and_esc_leaves_it();
    void plus_and_minus_step_the_letter_size_data();
    void plus_and_minus_step_the_letter_size();
    void the_widest_syllable_fits_at_the_largest_size_data();
    void the_widest_syllable_fits_at_the_largest_size();
    void a_size_change_leaves_the_pace_alone();

    void load_draws_a_hidden_syllable_and_starts_the_tick_timer();
    void flash_then_pause_data();
    void flash_then_pause();
    void p_pauses_and_resumes_the_step_under_way();
    void speed_buttons_move_the_interval();
    void space_on_the_focused_end_button_ends_the_program();
    void frame_close_ends_the_program();
    void keeps_the_screen_on_from_opening_to_the_end();

private:
    template <typename T = QWidget> T* control(const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    Module1 module{7};
    Session session{module};
    EndRecorder ends;
    std::unique_ptr<ExerciseWindow> window;
#if defined(KLANKFLITS_SCREEN_SAVER_DBUS)
    QProcess session_bus;
#endif
};

// Every window of this test talks to a session bus of its own, never to the
// desktop's screen saver of whoever runs the test.
void ExerciseWindowTest::initTestCase()
{
    // As the program does at start (on Windows from the copy beside it).
    register_school_letters(QCoreApplication::applicationDirPath());
#if defined(KLANKFLITS_SCREEN_SAVER_DBUS)
    session_bus.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
    QVERIFY2(session_bus.waitForStarted(),
             "no dbus-daemon (Debian: dbus-daemon; scripts/test installs it)");
    QVERIFY(session_bus.waitForReadyRead(10000));
    const QByteArray address = session_bus.readLine().trimmed();
    QVERIFY(!address.isEmpty());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QVERIFY(QDBusConnection::sessionBus().isConnected());
#endif
}

void ExerciseWindowTest::cleanupTestCase()
{
#if defined(KLANKFLITS_SCREEN_SAVER_DBUS)
    session_bus.kill();
    session_bus.waitForFinished();
#endif
}

void ExerciseWindowTest::init()
{
    init_state(module);
    module.draw = ItemDraw(); // the CCV syllables, whatever a test chose
    ends = {};
    window = std::make_unique<ExerciseWindow>(session, ends.callback());
}

void ExerciseWindowTest::cleanup()
{
    window.reset();
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void ExerciseWindowTest::window_caption_and_client_size()
{
    QCOMPARE(window->objectName(), QStringLiteral("frm_werk"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ZVK van CCV-structuren"));
    QCOMPARE(window->size(), QSize(1016, 734));
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
}

void ExerciseWindowTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("shown");
    QTest::newRow("cmd_exit") << "cmd_exit"
                              << "&Einde" << QRect(760, 608, 113, 33) << true;
    QTest::newRow("txt_string") << "txt_string"
                                << "" << QRect(352, 288, 225, 97) << false;
    QTest::newRow("Label1") << "Label1"
                            << "" << QRect(952, 656, 49, 17) << true;
    QTest::newRow("Label3") << "Label3"
                            << "" << QRect(952, 616, 49, 17) << true;
    QTest::newRow("Picture1") << "Picture1"
                              << "" << QRect(384, 280, 153, 113) << false;
    QTest::newRow("Label4") << "Label4"
                            << "reeks" << QRect(896, 616, 33, 17) << true;
    QTest::newRow("Label5") << "Label5"
                            << "tijd" << QRect(904, 656, 25, 17) << true;
    QTest::newRow("Command1") << "Command1"
                              << "versnel        100 msec" << QRect(904, 552, 81, 33) << true;
    QTest::newRow("Command2") << "Command2"
                              << "vertraag      100 msec" << QRect(904, 504, 81, 33) << true;
}

void ExerciseWindowTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    QFETCH(bool, shown);

    QWidget* widget = control(qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(!widget->isHidden(), shown);
    if (auto* push = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(push->text(), text);
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
    } else if (auto* label = qobject_cast<QLabel*>(widget); label && name != "txt_string") {
        QCOMPARE(label->text(), text);
        // The caption fits: nothing is cut off.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
        QVERIFY(label->fontMetrics().boundingRect(text).right() < geometry.width());
    }
}

// Rows of the button's image that hold dark (text) pixels, grouped into bands.
static int text_bands(const QImage& image)
{
    int bands = 0;
    bool in_band = false;
    for (int y = 3; y < image.height() - 3; ++y) {
        bool dark = false;
        for (int x = 3; x < image.width() - 3 && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 100;
        if (dark && !in_band)
            ++bands;
        in_band = dark;
    }
    return bands;
}

void ExerciseWindowTest::speed_buttons_show_their_caption_on_two_lines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lines");
    QTest::newRow("Command1") << "Command1"
                              << "versnel\n100 msec";
    QTest::newRow("Command2") << "Command2"
                              << "vertraag\n100 msec";
}

void ExerciseWindowTest::speed_buttons_show_their_caption_on_two_lines()
{
    QFETCH(QString, name);
    QFETCH(QString, lines);
    auto* button = control<TwoLineButton>(qPrintable(name));
    QVERIFY(button);
    QCOMPARE(button->displayed_lines(), lines);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(text_bands(button->grab().toImage()), 2);
}

// "MS Sans Serif" as Windows has it: a bitmap face in a few small sizes, with
// no bold (here one size, 13 px, and the glyph "a").
constexpr char bitmap_ms_sans_serif[] = R"(STARTFONT 2.1
FONT -Test-MS Sans Serif-Medium-R-Normal--13-100-96-96-P-70-ISO10646-1
SIZE 10 96 96
FONTBOUNDINGBOX 7 13 0 -3
STARTPROPERTIES 4
FAMILY_NAME "MS Sans Serif"
WEIGHT_NAME "Medium"
FONT_ASCENT 10
FONT_DESCENT 3
ENDPROPERTIES
CHARS 1
STARTCHAR a
ENCODING 97
SWIDTH 538 0
DWIDTH 7 0
BBX 6 7 0 0
BITMAP
78
84
04
7C
84
8C
76
ENDCHAR
ENDFONT
)";

void ExerciseWindowTest::syllable_is_large_bold_and_centred_data()
{
    QTest::addColumn<bool>("bitmap_classic_face");
    QTest::newRow("the system's fonts") << false;
    QTest::newRow("MS Sans Serif only as a bitmap face, as on Windows") << true;
}

void ExerciseWindowTest::syllable_is_large_bold_and_centred()
{
    QFETCH(bool, bitmap_classic_face);
    int font_id = -1;
    if (bitmap_classic_face) {
        font_id = QFontDatabase::addApplicationFontFromData(QByteArray(bitmap_ms_sans_serif));
        QVERIFY(font_id >= 0);
        QVERIFY(QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")));
        // Qt's plain FreeType font database (the offscreen platform on
        // Windows) takes every face for scalable and scales bitmaps.
        if (QFontDatabase::isSmoothlyScalable(QStringLiteral("MS Sans Serif"))) {
            QFontDatabase::removeApplicationFont(font_id);
            QSKIP("This font database cannot tell bitmap faces");
        }
        window = std::make_unique<ExerciseWindow>(session, ends.callback());
    }
    const auto remove_font = qScopeGuard([font_id] {
        if (font_id >= 0)
            QFontDatabase::removeApplicationFont(font_id);
    });

    auto* syllable = control<QLabel>("txt_string");
    QCOMPARE(syllable->font().pointSize(), 24);
    QVERIFY(syllable->font().bold());
    QCOMPARE(syllable->alignment(), Qt::AlignCenter);
    // The face actually used, whichever the system has.
    const QFontInfo used(syllable->font());
    QVERIFY(used.bold());
    QCOMPARE(used.pointSize(), 24);
}

void ExerciseWindowTest::pause_picture_is_drawn_sharp_at_every_size_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("step");
    QTest::newRow("its own size, step 1") << QSize(1016, 734) << 1;
    QTest::newRow("a board, full screen, step 4") << QSize(1920, 1080) << 4;
}

// Across the face's middle in a grab of the window: the face as wide as the
// picture's scale makes it, and its outline's outer edge going from the ground
// to the ink within 3 pixels (the picture scaled up as a bitmap takes 6 and
// more at step 4 on a board).
void ExerciseWindowTest::pause_picture_is_drawn_sharp_at_every_size()
{
    QFETCH(QSize, client);
    QFETCH(int, step);
    window->set_letter_size(step);
    window->resize(client);
    window->show_picture1();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(window->size(), client);
    const QImage shot = window->grab(control("Picture1")->geometry()).toImage();
    const PausePictureDescription& picture = pause_picture_description();
    const double scale =
        std::min(client.width() / 1016.0, client.height() / 734.0) * letter_size_factor(step);
    const int row = qRound(picture.size.height / 2.0 * scale);
    const auto grey = [&](int x) { return qGray(shot.pixel(x, row)); };
    const int middle = qRound(picture.size.width / 2.0 * scale);
    // Yellow in the middle of the face, between its eyes.
    const QColor face = shot.pixelColor(middle, row);
    QVERIFY2(face.red() > 200 && face.green() > 180 && face.blue() < 120, qPrintable(face.name()));

    const int outline = qCeil(picture.outline_width * picture.face_radius * scale);
    const auto edge_from = [&](int from, int towards) {
        const int ground = grey(from);
        int x = from;
        while (x != towards && grey(x) > ground / 2)
            x += towards > from ? 1 : -1;
        return x;
    };
    const int left = edge_from(0, middle);
    const int right = edge_from(shot.width() - 1, middle);
    const double diameter = 2 * picture.face_radius * scale;
    QVERIFY2(qAbs(right - left - diameter) <= 3,
             qPrintable(QStringLiteral("%1 wide, not %2").arg(right - left).arg(diameter)));

    const int ground = grey(left - outline);
    int ink = 255;
    for (int x = left; x <= left + outline; ++x)
        ink = std::min(ink, grey(x));
    const int margin = (ground - ink) / 10;
    int between = 0;
    for (int x = left - outline; x <= left + outline; ++x)
        between += grey(x) < ground - margin && grey(x) > ink + margin;
    QVERIFY2(between <= 3, qPrintable(QStringLiteral("%1 pixels from the ground (%2) to the ink "
                                                     "(%3)")
                                          .arg(between)
                                          .arg(ground)
                                          .arg(ink)));
}

void ExerciseWindowTest::tab_order_and_initial_focus()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), control("cmd_exit"));
    QCOMPARE(tab_chain(control("cmd_exit")), QStringList({"cmd_exit", "Command1", "Command2"}));
}

// Tab would draw a focus frame; the one the window starts with must show too.
void ExerciseWindowTest::the_focused_button_shows_its_focus()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto* end_button = control<QPushButton>("cmd_exit");
    QVERIFY(end_button->hasFocus());
    const QImage focused = end_button->grab().toImage();
    control("Command1")->setFocus();
    const QImage unfocused = end_button->grab().toImage();
    QVERIFY(focused != unfocused);
}

void ExerciseWindowTest::read_outs_show_every_figure_whole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("figure");
    QTest::addColumn<bool>("keeps_its_place");
    QTest::newRow("interval 2000") << "Label1" << 2000 << true;
    QTest::newRow("interval -100") << "Label1" << -100 << true;
    QTest::newRow("interval 2147483647") << "Label1" << 2147483647 << false;
    QTest::newRow("interval -2147483648") << "Label1" << -2147483647 - 1 << false;
    QTest::newRow("series 3") << "Label3" << 3 << true;
}

void ExerciseWindowTest::read_outs_show_every_figure_whole()
{
    QFETCH(QString, name);
    QFETCH(int, figure);
    QFETCH(bool, keeps_its_place);
    auto* read_out = control<QLabel>(qPrintable(name));
    const QRect place = read_out->geometry();
    if (name == "Label1")
        window->set_label1_caption(std::to_string(figure));
    else
        window->set_label3_caption(std::to_string(figure));
    QCOMPARE(read_out->text(), QString::number(figure));
    QVERIFY(read_out->fontMetrics().horizontalAdvance(read_out->text()) <= read_out->width());
    QCOMPARE(read_out->geometry().right(), place.right());
    QCOMPARE(read_out->geometry() == place, keeps_its_place);
    // Grown to the left, but clear of "tijd" and "reeks".
    QVERIFY(read_out->x() > control("Label5")->geometry().right());
    QVERIFY(read_out->x() > control("Label4")->geometry().right());
    // Back to its place for a short figure.
    window->set_label1_caption("100");
    QCOMPARE(control("Label1")->geometry(), QRect(952, 656, 49, 17));
}

void ExerciseWindowTest::layout_scales_as_one_picture_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("twice the size") << QSize(2032, 1468) << 2.0 << QPoint(0, 0);
    // 16:9: the height decides, the layout is centred across.
    QTest::newRow("full HD") << QSize(1920, 1080) << 1080.0 / 734 << QPoint(212, 0);
    QTest::newRow("half, and wider") << QSize(608, 367) << 0.5 << QPoint(50, 0);
    QTest::newRow("back at its own size") << QSize(1016, 734) << 1.0 << QPoint(0, 0);
}

void ExerciseWindowTest::layout_scales_as_one_picture()
{
    QFETCH(QSize, client);
    QFETCH(double, factor);
    QFETCH(QPoint, offset);
    const auto laid_out = [this] {
        QList<QPair<QWidget*, QRect>> places;
        for (auto* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            places.append({control, control->geometry()});
        return places;
    }();
    const qreal font_size = window->font().pointSizeF();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->resize(2200, 1000); // somewhere else first: the way back must be exact too
    window->resize(client);
    QTRY_COMPARE(window->size(), client);

    for (const auto& [control, place] : laid_out) {
        const QRect expected(
            offset + QPoint(qRound(place.x() * factor), qRound(place.y() * factor)),
            QSize(qRound(place.width() * factor), qRound(place.height() * factor)));
        const QRect now = control->geometry();
        QVERIFY2(qAbs(now.left() - expected.left()) <= 1 && qAbs(now.top() - expected.top()) <= 1 &&
                     qAbs(now.width() - expected.width()) <= 1 &&
                     qAbs(now.height() - expected.height()) <= 1,
                 qPrintable(control->objectName()));
        if (factor == 2.0 || factor == 1.0)
            QCOMPARE(now, expected);
    }
    QCOMPARE(control("txt_string")->font().pointSizeF(), 24 * factor);
    QCOMPARE(window->font().pointSizeF(), font_size * factor);
}

// The window opens on a screen smaller than itself (the offscreen test
// screen is 800 x 800): scaled down, whole and on the screen.
void ExerciseWindowTest::opens_scaled_down_on_a_screen_smaller_than_itself()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen->availableGeometry().width() < 1016);
    QRect frame;
    QRect client;
    QList<QRect> controls;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        frame = modal->frameGeometry();
        client = modal->rect();
        for (auto* c : modal->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (c->objectName() != "txt_string" && c->objectName() != "Picture1" &&
                c->objectName() != "pause_sign")
                controls << c->geometry();
    });
    window->exec_on(screen, Opening::at_its_size);
    QVERIFY2(screen->availableGeometry().contains(frame), qPrintable(QString("%1,%2 %3x%4")
                                                                         .arg(frame.x())
                                                                         .arg(frame.y())
                                                                         .arg(frame.width())
                                                                         .arg(frame.height())));
    QVERIFY(client.width() < 1016);
    QCOMPARE(controls.size(), 7);
    for (const QRect& c : controls)
        QVERIFY(client.contains(c));
}

void ExerciseWindowTest::f11_switches_full_screen_and_esc_leaves_it()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F11);
    QTRY_VERIFY(window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTRY_VERIFY(!window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTRY_VERIFY(window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(window->isVisible());
    QCOMPARE(ends.requests, 0);
}

void ExerciseWindowTest::plus_and_minus_step_the_letter_size_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("step");
    QTest::newRow("none: the layout's own") << QList<int>{} << 1;
    QTest::newRow("+") << QList<int>{Qt::Key_Plus} << 2;
    QTest::newRow("= as +") << QList<int>{Qt::Key_Equal, Qt::Key_Equal} << 3;
    QTest::newRow("+ four times stops at 4")
        << QList<int>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus} << 4;
    QTest::newRow("+ + -") << QList<int>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus} << 2;
    QTest::newRow("- stops at 1") << QList<int>{Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Minus} << 1;
}

// Whatever has the focus (Einde, from the start), during a flash or a pause:
// the syllable's font and the picture grow by the step's factor around their
// own centres, and nothing else moves.
void ExerciseWindowTest::plus_and_minus_step_the_letter_size()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, step);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto* syllable = control<QLabel>("txt_string");
    auto* picture = control("Picture1");
    const QSize picture_size = picture->size();
    const QPoint syllable_centre = syllable->geometry().center();
    const QPoint picture_centre = picture->geometry().center();
    const QRect einde = control("cmd_exit")->geometry();
    for (const int key : keys)
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    // Four steps, each the cube root of 4 larger than the one before.
    const double factors[] = {1, 1.5874010519681994, 2.5198420997897464, 4};
    const double factor = factors[step - 1];
    QCOMPARE(syllable->font().pointSizeF(), 24 * factor);
    QVERIFY(qAbs(picture->width() - picture_size.width() * factor) <= 1);
    QVERIFY(qAbs(picture->height() - picture_size.height() * factor) <= 1);
    QVERIFY((syllable->geometry().center() - syllable_centre).manhattanLength() <= 1);
    QVERIFY((picture->geometry().center() - picture_centre).manhattanLength() <= 1);
    QCOMPARE(control("cmd_exit")->geometry(), einde);
    // The keypad's keys step it too.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(syllable->font().pointSizeF(), 24 * factors[std::max(1, step - 1) - 1]);
}

void ExerciseWindowTest::the_widest_syllable_fits_at_the_largest_size_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("school_letters");
    QTest::addColumn<QStringList>("own_list"); // none: the CCV syllables
    QTest::newRow("its own size") << QSize(1016, 734) << false << QStringList();
    QTest::newRow("a board, full screen") << QSize(1920, 1080) << false << QStringList();
    QTest::newRow("a board, full screen, school letters")
        << QSize(1920, 1080) << true << QStringList();
    QTest::newRow("a small laptop at 125 %") << QSize(1092, 573) << false << QStringList();
    QTest::newRow("the smallest window, school letters")
        << QSize(305, 221) << true << QStringList();
    QTest::newRow("the smallest window") << QSize(305, 221) << false << QStringList();
    // Items far wider than txt_string: drawn smaller than step 1, whole.
    const QStringList wide{QStringLiteral("ziekenhuis"), QString(30, u'w'),
                           QStringLiteral("de kinderen spelen in de tuin")};
    QTest::newRow("30 characters, its own size") << QSize(1016, 734) << false << wide;
    QTest::newRow("30 characters, a board") << QSize(1920, 1080) << false << wide;
    QTest::newRow("30 characters, a board, school letters") << QSize(1920, 1080) << true << wide;
    QTest::newRow("30 characters, the smallest window") << QSize(305, 221) << false << wide;
}

// The columns and rows of an image that hold ink (dark pixels).
static QRect ink_of(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// At every step, up to step 4 (+ three times), every item of the material, the
// widest too, is drawn whole: its ink stays clear of its label's edges, the
// label is inside the window, and neither it nor the picture covers a button or
// a read-out.
void ExerciseWindowTest::the_widest_syllable_fits_at_the_largest_size()
{
    QFETCH(QSize, client);
    QFETCH(bool, school_letters);
    QFETCH(QStringList, own_list);
    std::vector<std::string> items(valid_syllables().begin(), valid_syllables().end());
    if (!own_list.isEmpty()) {
        items.clear();
        for (const QString& item : own_list)
            items.push_back(item.toStdString());
        session.choose(own_list_material(items));
    }
    TickScheduler::TimePoint stopped{}; // no step comes to change the syllable
    window = std::make_unique<ExerciseWindow>(session, ends.callback(), nullptr,
                                              new PacedTimers([&stopped] { return stopped; }));
    window->resize(client);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTRY_COMPARE(window->size(), client);
    if (school_letters)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L);
    auto* syllable = control<QLabel>("txt_string");
    QCOMPARE(QFontInfo(syllable->font()).family() == QStringLiteral("Andika"), school_letters);
    window->show_txt_string();
    // The CCV syllables at step 4 only: the steps below draw them smaller.
    const int first = own_list.isEmpty() ? 4 : 1;
    for (int step = 1; step <= 4; ++step) {
        if (step > 1)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Plus);
        if (step < first)
            continue;
        for (const std::string& each : items) {
            window->set_txt_string_caption(each);
            const QImage image = syllable->grab().toImage();
            const QRect ink = ink_of(image);
            QVERIFY2(
                !ink.isEmpty() && ink.left() > 0 && ink.top() > 0 &&
                    ink.right() < image.width() - 1 && ink.bottom() < image.height() - 1,
                qPrintable(
                    QStringLiteral("%1 at step %2").arg(QString::fromStdString(each)).arg(step)));
        }
    }
    const QRect inside = window->rect();
    for (const char* grown : {"txt_string", "Picture1"}) {
        QVERIFY2(inside.contains(control(grown)->geometry()), grown);
        for (const char* other :
             {"cmd_exit", "Command1", "Command2", "Label1", "Label3", "Label4", "Label5"})
            QVERIFY2(!control(grown)->geometry().intersects(control(other)->geometry()),
                     qPrintable(QStringLiteral("%1 covers %2").arg(grown, other)));
    }
    // And four times as large as at step 1: the factor was not given up. A
    // list far wider than txt_string is never drawn larger than at step 1.
    const double scale = std::min(client.width() / 1016.0, client.height() / 734.0);
    if (own_list.isEmpty())
        QVERIFY(qAbs(syllable->font().pointSizeF() - 24 * scale * 4) < 0.01);
    else
        QVERIFY(syllable->font().pointSizeF() <= 24 * scale + 0.01);
}

// Lets the tick source's running QTimer run out at once until `done`, the
// fake clock `now` moved on by each wait; false if it never came.
static bool run_timers_until(QObject* source, TickScheduler::TimePoint& now,
                             const std::function<bool()>& done)
{
    for (int fired = 0; fired < 10000 && !done(); ++fired) {
        const auto timers = source->findChildren<QTimer*>();
        const auto running = std::find_if(timers.begin(), timers.end(),
                                          [](const QTimer* timer) { return timer->isActive(); });
        if (running == timers.end())
            return false;
        now += std::chrono::milliseconds((*running)->interval());
        QTimerEvent event((*running)->timerId());
        QCoreApplication::sendEvent(*running, &event);
    }
    return done();
}

// The same exercise on a fake clock twice, the second time with the letter
// size stepped up and down between wake-ups: every change at the same time.
void ExerciseWindowTest::a_size_change_leaves_the_pace_alone()
{
    using TimePoint = TickScheduler::TimePoint;
    const auto run = [&](bool change_sizes) {
        TimePoint now{std::chrono::hours(1)};
        init_state(module);
        module.state.interval_ms = 400;
        auto* source = new PacedTimers([&now] { return now; });
        window = std::make_unique<ExerciseWindow>(session, ends.callback(), nullptr, source);
        window->show();
        std::vector<std::pair<std::int64_t, QString>> changes;
        QString shown;
        int wake = 0;
        run_timers_until(source, now, [&] {
            const QString on_screen = window->txt_string_visible() ? QStringLiteral("syllable")
                                      : !control("Picture1")->isHidden()
                                          ? QStringLiteral("picture")
                                          : QStringLiteral("nothing");
            if (on_screen != shown)
                changes.emplace_back(now.time_since_epoch().count(), shown = on_screen);
            if (change_sizes && wake % 3 == 1)
                QTest::keyClick(window.get(), wake % 2 ? Qt::Key_Plus : Qt::Key_Minus);
            return ++wake > 600;
        });
        return changes;
    };
    const auto steady = run(false);
    const auto stepped = run(true);
    QVERIFY(steady.size() > 40); // two series and their pauses, at least
    QCOMPARE(stepped, steady);
}

void ExerciseWindowTest::load_draws_a_hidden_syllable_and_starts_the_tick_timer()
{
    auto* timers = new WatchedTimers(new PacedTimers);
    window = std::make_unique<ExerciseWindow>(session, ends.callback(), nullptr, timers);
    const QString syllable = control<QLabel>("txt_string")->text();
    QVERIFY2(valid_syllables().count(syllable.toStdString()), qPrintable(syllable));
    QVERIFY(!window->txt_string_visible());
    QVERIFY(control("Picture1")->isHidden());
    QVERIFY(control<QLabel>("Label1")->text().isEmpty());
    QVERIFY(control<QLabel>("Label3")->text().isEmpty());
    QVERIFY(timers->timer1_enabled);
    QVERIFY(!timers->timer2_enabled);
}

void ExerciseWindowTest::flash_then_pause_data()
{
    QTest::addColumn<bool>("plain");
    QTest::newRow("paced, the program's own") << false;
    QTest::newRow("plain QTimers, handed to the window") << true;
}

void ExerciseWindowTest::flash_then_pause()
{
    QFETCH(bool, plain);
    module.state.interval_ms = 100; // a step every fifth tick, set before the load as Start does
    TickScheduler::TimePoint now{std::chrono::hours(1)};
    TickSource* source =
        plain ? static_cast<TickSource*>(new PlainTimers) : new PacedTimers([&now] { return now; });
    auto* timers = new WatchedTimers(source);
    window = std::make_unique<ExerciseWindow>(session, ends.callback(), nullptr, timers);
    window->show();
    QVERIFY(run_timers_until(timers, now, [&] { return window->txt_string_visible(); }));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("100"));
    QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral("1"));
    QVERIFY(run_timers_until(timers, now, [&] { return !window->txt_string_visible(); }));
    QVERIFY(run_timers_until(timers, now, [&] { return !control("Picture1")->isHidden(); }));
    QVERIFY(!window->txt_string_visible());
    QVERIFY(timers->timer2_enabled);
    QVERIFY(!timers->timer1_enabled);
    QCOMPARE(timers->timer2_interval_ms, 3500);
    QCOMPARE(module.state.flash_count, 0);
    QCOMPARE(module.state.series_count, 1);
}

// P in a shown syllable: the middle says "Pauze", no syllable and no picture,
// the read-outs stay and nothing runs however long it lasts; P again and the
// same syllable is up for its whole exposure from then, the next steps as
// before. The speed buttons still work while paused.
void ExerciseWindowTest::p_pauses_and_resumes_the_step_under_way()
{
    module.state.interval_ms = 1000; // a syllable up for 500 ms
    TickScheduler::TimePoint now{std::chrono::hours(1)};
    auto* source = new PacedTimers([&now] { return now; });
    window = std::make_unique<ExerciseWindow>(session, ends.callback(), nullptr, source);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QVERIFY(run_timers_until(source, now, [&] { return window->txt_string_visible(); }));
    const QString syllable = control<QLabel>("txt_string")->text();
    now += std::chrono::milliseconds(300);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P);
    QVERIFY(window->paused());
    QVERIFY(control("pause_sign")->isVisible());
    QCOMPARE(control<QLabel>("pause_sign")->text(), QStringLiteral("Pauze"));
    QVERIFY(!control("txt_string")->isVisible());
    QVERIFY(!control("Picture1")->isVisible());
    QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral("1"));
    QVERIFY2(!run_timers_until(source, now, [] { return false; }), "a timer runs while paused");
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("1100"));

    now += std::chrono::minutes(5);
    const auto resumed = now;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P);
    QVERIFY(!window->paused());
    QVERIFY(!control("pause_sign")->isVisible());
    QVERIFY(control("txt_string")->isVisible());
    QCOMPARE(control<QLabel>("txt_string")->text(), syllable);
    QVERIFY(run_timers_until(source, now, [&] { return !window->txt_string_visible(); }));
    // The whole exposure it went up with (500 ms), or the longer one the
    // slower interval asks for (550 ms): never the 200 ms it had left.
    QVERIFY(now - resumed >= std::chrono::milliseconds(500));
}

void ExerciseWindowTest::speed_buttons_move_the_interval()
{
    module.state.speed_step_ms = 250;
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(module.state.interval_ms, 1900);
    QCOMPARE(module.state.speed_step_ms, 100);
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("1900")); // at once
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(module.state.interval_ms, 2100);
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("2100"));
    QVERIFY(control<QLabel>("Label3")->text().isEmpty()); // the series from the next step on
}

void ExerciseWindowTest::space_on_the_focused_end_button_ends_the_program()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(ends.requests, 1);
}

void ExerciseWindowTest::frame_close_ends_the_program()
{
    window->show();
    window->close();
    QCOMPARE(ends.requests, 1);
}

// From the moment the exercise window opens until it goes at the end, and not
// before: the settings window does not hold the screen on.
void ExerciseWindowTest::keeps_the_screen_on_from_opening_to_the_end()
{
    // Whatever the system answers, the program says nothing.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
#if defined(_WIN32)
    SettingsWindow settings(session, ends.callback());
    settings.show();
    QVERIFY(!display_required());
    window->show();
    QVERIFY(display_required());
    window.reset();
    QVERIFY(!display_required());
#elif defined(KLANKFLITS_SCREEN_SAVER_DBUS)
    // Without a screen saver on the bus the window opens and closes as ever.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window = std::make_unique<ExerciseWindow>(session, ends.callback());

    QThread service_thread;
    ScreenSaverStandIn stand_in;
    stand_in.moveToThread(&service_thread);
    service_thread.start();
    QDBusConnection service = QDBusConnection::connectToBus(
        QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")), QStringLiteral("stand-in"));
    QThread* const test_thread = QThread::currentThread();
    const auto stop_service = qScopeGuard([&] {
        service.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
        // Back to this thread, from its own, so that it goes with the test.
        QMetaObject::invokeMethod(
            &stand_in, [&] { stand_in.moveToThread(test_thread); }, Qt::BlockingQueuedConnection);
        service_thread.quit();
        service_thread.wait();
    });
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &stand_in,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

    SettingsWindow settings(session, ends.callback());
    settings.show();
    QVERIFY(QTest::qWaitForWindowExposed(&settings));
    // A call on the program's own connection comes after anything it sent before.
    const QDBusMessage ping = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.ScreenSaver"),
        QStringLiteral("/org/freedesktop/ScreenSaver"),
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Ping")));
    QCOMPARE(ping.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(stand_in.calls().inhibited_by, QStringList());

    window->show();
    QTRY_COMPARE(stand_in.calls().inhibited_by, QStringList{QStringLiteral("Klankflits")});
    QCOMPARE(stand_in.calls().cookies_released, QList<uint>());

    // Releasing waits for the answer, so it is there when the window has gone.
    window.reset();
    QCOMPARE(stand_in.calls().cookies_released, stand_in.calls().cookies_given);
#else
    QSKIP("This system has no way to keep the screen on that the program knows");
#endif
}

QTEST_MAIN(ExerciseWindowTest)
#include "exercise_window_test.moc"
