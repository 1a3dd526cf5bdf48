// The Linux window, driven through its real widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include <xcb/xcb.h>
#include <QProcess>

#include "app/qt/main_window.h"
#include "app/qt/start_up.h"
#include "app/window_definition.h"
#include "calc/fp_environment.h"
#include "rule_cases.h"

namespace quorvel {
namespace {

namespace def = window_definition;
using qt::main_window;

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a notice looked like when it came up, and whether the main window was visible then.
struct seen_notice {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int button_count = 0;
    bool ok_button = false;
    bool application_modal = false;
    bool window_visible = false;
};

// Watches for notices while a call runs, records each one and dismisses it with its OK button.
std::vector<seen_notice> dismissing_notices(const std::function<void()>& call,
                                            const QWidget* window = nullptr) {
    std::vector<seen_notice> seen;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        seen_notice notice;
        notice.caption = box->windowTitle();
        notice.text = box->text();
        notice.icon = box->icon();
        notice.button_count = static_cast<int>(box->buttons().size());
        notice.ok_button = box->button(QMessageBox::Ok) != nullptr;
        notice.application_modal = box->windowModality() == Qt::ApplicationModal;
        notice.window_visible = window != nullptr && window->isVisible();
        seen.push_back(notice);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    timer.start();
    call();
    timer.stop();
    return seen;
}

class qt_window : public ::testing::Test {
  protected:
    QLineEdit* edit(std::string_view name) {
        return qobject_cast<QLineEdit*>(window.control(name));
    }
    QLabel* label(std::string_view name) { return qobject_cast<QLabel*>(window.control(name)); }
    QPushButton* push(std::string_view name) {
        return qobject_cast<QPushButton*>(window.control(name));
    }

    void fill(const std::vector<std::string>& texts) {
        static constexpr std::array<std::string_view, 5> boxes = {"编辑框1", "编辑框2", "编辑框3",
                                                                  "编辑框4", "编辑框5"};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            edit(boxes.at(i))->setText(i < texts.size() ? utf8(texts[i]) : QString());
        }
    }

    // Clicks the button and returns what the window then shows: the notice or the label.
    QString click_and_read(std::string_view button_name) {
        const auto notices = dismissing_notices(
            [&] { QTest::mouseClick(push(button_name), Qt::LeftButton); }, &window);
        EXPECT_LE(notices.size(), 1U);
        return notices.empty() ? label("标签5")->text() : notices.front().text;
    }

    main_window window;
};

TEST_F(qt_window, every_control_stands_as_the_table_defines_it) {
    ASSERT_EQ(def::controls().size(), 16U);
    EXPECT_EQ(window.size(), QSize(def::client_width, def::client_height));
    EXPECT_EQ(window.size(), QSize(374, 356));
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    EXPECT_EQ(window.property("identity").toUInt(), 0x52010001U);
    for (const def::control& c : def::controls()) {
        SCOPED_TRACE(utf8(c.name).toStdString());
        QWidget* widget = window.control(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(c.left, c.top, c.width, c.height));
        EXPECT_EQ(widget->property("identity").toUInt(), c.identity);
        EXPECT_TRUE(widget->isEnabled());
        switch (c.kind) {
            case def::control_kind::edit_box:
                ASSERT_NE(edit(c.name), nullptr);
                EXPECT_EQ(edit(c.name)->text(), "");
                EXPECT_EQ(edit(c.name)->maxLength(), c.length_limit > 0 ? c.length_limit : 32767);
                break;
            case def::control_kind::label: {
                ASSERT_NE(label(c.name), nullptr);
                EXPECT_EQ(label(c.name)->text(),
                          utf8(c.start_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
                EXPECT_EQ(label(c.name)->wordWrap(), c.word_wrap);
                const QColor colour = label(c.name)->palette().color(QPalette::WindowText);
                EXPECT_EQ(colour,
                          QColor(c.text_colour.red, c.text_colour.green, c.text_colour.blue));
                break;
            }
            case def::control_kind::push_button:
                ASSERT_NE(push(c.name), nullptr);
                EXPECT_EQ(push(c.name)->text(), utf8(c.start_text));
                EXPECT_FALSE(push(c.name)->isDefault());
                EXPECT_FALSE(push(c.name)->autoDefault());
                break;
        }
    }
}

TEST_F(qt_window, labels_are_drawn_as_defined) {
    EXPECT_EQ(label("标签5")->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_FALSE(label("标签5")->wordWrap());
    EXPECT_EQ(label("标签8")->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(label("标签8")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label("标签7")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(label("标签7")->font().bold());
    EXPECT_EQ(label("标签7")->font().pixelSize(), 14);
    EXPECT_EQ(label("标签1")->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(label("标签8")->text().count('\n'), 10);
}

// The lowest row of the image, in device pixels, that holds ink of the label's blue; -1 if none.
int lowest_blue_row(const QImage& image) {
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.blue() - pixel.red() > 64 && pixel.blue() - pixel.green() > 64) {
                return y;
            }
        }
    }
    return -1;
}

TEST_F(qt_window, every_instruction_line_shows_inside_its_label) {
    QLabel* instructions = label("标签8");
    const QSize size = instructions->size();
    const QImage as_shown = instructions->grab().toImage();
    // Drawn again with room below it: the text must end inside the label's own height, so that
    // nothing was cut, and look the same within it.
    instructions->resize(size.width(), size.height() * 2);
    const QImage with_room = instructions->grab().toImage();
    instructions->resize(size);
    const qreal ratio = with_room.devicePixelRatio();
    const int bottom = lowest_blue_row(with_room);
    EXPECT_GT(bottom, static_cast<int>(size.height() * ratio * 3 / 4));  // the last line is drawn
    EXPECT_LT(bottom, static_cast<int>(size.height() * ratio));
    EXPECT_EQ(with_room.copy(as_shown.rect()), as_shown);
}

TEST_F(qt_window, carries_the_program_icon_in_every_size) {
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

TEST_F(qt_window, cannot_be_resized_or_maximized) {
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(qt_window, the_total_box_takes_only_digits_and_minus_up_to_eight) {
    QLineEdit* total = edit("编辑框1");
    QTest::keyClicks(total, "a. ");
    EXPECT_EQ(total->text(), "");
    QTest::keyClicks(total, "123456789");
    EXPECT_EQ(total->text(), "12345678");
    total->clear();
    QTest::keyClicks(total, "-5");
    EXPECT_EQ(total->text(), "-5");
    QTest::keyClick(total, Qt::Key_Backspace);
    EXPECT_EQ(total->text(), "-");
}

TEST_F(qt_window, an_odds_box_keeps_full_stops_and_minus_signs_as_typed) {
    fill({"100", "", "4"});
    QTest::keyClicks(edit("编辑框2"), "1.5.2-3");
    EXPECT_EQ(edit("编辑框2")->text(), "1.5.2-3");
    // It reads as 1.5: the same line as a press with 1.5 typed plainly.
    const QString shown = click_and_read("按钮1");
    edit("编辑框2")->setText("1.5");
    EXPECT_EQ(click_and_read("按钮1"), shown);
    EXPECT_EQ(shown, "x:y=72:27");
}

TEST_F(qt_window, input_method_commits_are_filtered_like_keys) {
    QLineEdit* odds = edit("编辑框2");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("１２三3.a"));
    QApplication::sendEvent(odds, &commit);
    EXPECT_EQ(odds->text(), "3.");
}

TEST_F(qt_window, pasted_text_is_not_filtered_but_the_length_limit_holds) {
    QApplication::clipboard()->setText("abc");
    edit("编辑框3")->setFocus();
    QTest::keyClick(edit("编辑框3"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("编辑框3")->text(), "abc");

    QApplication::clipboard()->setText("123456789abc");
    QTest::keyClick(edit("编辑框1"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("编辑框1")->text(), "12345678");

    // The pasted box counts as filled and reads as 0.
    fill({"100", "2", "abc"});
    EXPECT_EQ(click_and_read("按钮1"), "赔率不够！(1)");
}

TEST_F(qt_window, each_button_runs_its_rule) {
    fill({"100", "2.5", "2.5"});
    EXPECT_EQ(click_and_read("按钮1"), "x:y=50:50");
    EXPECT_EQ(click_and_read("按钮2"), "x:y=60:40");
    fill({"1000", "3", "4", "5", "10"});
    EXPECT_EQ(click_and_read("按钮3"), "x:y:z:t=382:287:229:100");
    EXPECT_TRUE(fp_environment_is_set());
}

TEST_F(qt_window, shows_what_the_rules_decide_for_every_case) {
    for (const auto& c : testing::rule_cases()) {
        fill(c.texts);
        const std::string name = "按钮" + std::to_string(static_cast<int>(c.pressed) + 1);
        EXPECT_EQ(click_and_read(name).toStdString(), c.shown) << c;
    }
}

TEST_F(qt_window, a_notice_is_a_plain_ok_box_and_leaves_the_label_blank) {
    fill({"100", "2.5", "2.5"});
    EXPECT_EQ(click_and_read("按钮1"), "x:y=50:50");
    edit("编辑框3")->setText("2.5");
    edit("编辑框1")->clear();
    const auto notices =
        dismissing_notices([&] { QTest::mouseClick(push("按钮1"), Qt::LeftButton); }, &window);
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_EQ(notices[0].caption, "信息：");
    EXPECT_EQ(notices[0].text, "您未输入交易金额！");
    EXPECT_EQ(notices[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(notices[0].button_count, 1);
    EXPECT_TRUE(notices[0].ok_button);
    EXPECT_TRUE(notices[0].application_modal);
    EXPECT_EQ(label("标签5")->text(), "");
}

TEST_F(qt_window, a_gap_in_the_odds_shows_nothing) {
    fill({"100", "2.5", "2.5"});
    EXPECT_EQ(click_and_read("按钮1"), "x:y=50:50");
    fill({"100", "2", "", "3"});
    EXPECT_EQ(click_and_read("按钮1"), "");
}

TEST_F(qt_window, starts_with_both_notices_before_showing_the_window_centred) {
    ASSERT_FALSE(window.isVisible());
    const auto notices = dismissing_notices([&] { qt::start_up(window); }, &window);
    ASSERT_EQ(notices.size(), 2U);
    EXPECT_EQ(notices[0].text, utf8(def::maker_address));
    EXPECT_EQ(notices[1].text, "赌博伤身违法，切勿沉迷！！");
    for (const auto& notice : notices) {
        EXPECT_EQ(notice.caption, "信息：");
        EXPECT_FALSE(notice.window_visible);
    }
    EXPECT_TRUE(window.isVisible());
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(window.frameGeometry().topLeft(),
              QPoint((screen.width() - 380) / 2, (screen.height() - 385) / 2));
}

TEST_F(qt_window, a_typed_character_is_filtered_whatever_modifier_is_held) {
    QLineEdit* total = edit("编辑框1");
    QTest::keyClick(total, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(total, Qt::Key_Period, Qt::AltModifier);
    QTest::keyClick(total, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(total, Qt::Key_Space, Qt::AltModifier);
    QTest::keyClick(total, Qt::Key_D, Qt::MetaModifier);
    QTest::keyClick(total, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);  // AltGr
    EXPECT_EQ(total->text(), "");
    QTest::keyClick(total, Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(total->text(), "5");
    // Shortcuts that insert no text still work.
    QTest::keyClick(total, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(total->selectedText(), "5");
}

TEST_F(qt_window, enter_and_space_press_the_focused_button) {
    fill({"100", "2.5", "2.5"});
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        label("标签5")->clear();
        push("按钮2")->setFocus();
        QTest::keyClick(push("按钮2"), key);
        EXPECT_EQ(label("标签5")->text(), "x:y=60:40") << key;
    }
    // Enter in a box presses nothing: no button is the window's default.
    label("标签5")->clear();
    QTest::keyClick(edit("编辑框2"), Qt::Key_Return);
    EXPECT_EQ(label("标签5")->text(), "");
}

// --- under a window manager on an X display (tests/run-under-window-manager.sh) -------------

// A window's X11 properties, read back from the X server.
class x_properties {
  public:
    x_properties() {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr) {
            connection_ = x11->connection();
        }
    }
    [[nodiscard]] bool available() const { return connection_ != nullptr; }

    xcb_atom_t atom(const char* name) const {
        const auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t found = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return found;
    }

    std::vector<std::uint32_t> values(const QWidget& window, const char* property) const {
        const auto cookie =
            xcb_get_property(connection_, 0, static_cast<xcb_window_t>(window.winId()),
                             atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
        std::vector<std::uint32_t> found;
        if (reply != nullptr && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            found.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return found;
    }

    bool allows(const QWidget& window, const char* action) const {
        const auto actions = values(window, "_NET_WM_ALLOWED_ACTIONS");
        return std::find(actions.begin(), actions.end(), atom(action)) != actions.end();
    }

    // Asks the window manager to minimize the window, as its minimize button does.
    void ask_to_minimize(const QWidget& window) const {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = static_cast<xcb_window_t>(window.winId());
        message.type = atom("WM_CHANGE_STATE");
        message.data.data32[0] = 3;  // IconicState
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_send_event(connection_, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

  private:
    xcb_connection_t* connection_ = nullptr;
};

class under_window_manager : public qt_window {
  protected:
    void SetUp() override {
        if (!properties.available() || qEnvironmentVariableIsEmpty("QUORVEL_WINDOW_MANAGER")) {
            GTEST_SKIP() << "needs an X display with a window manager";
        }
        dismissing_notices([&] { qt::start_up(window); });
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Types through the X server, as a keyboard does.
    static void type_keys(const QStringList& keys) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys);
        ASSERT_TRUE(xdotool.waitForFinished(10000));
        QTest::qWait(200);
    }

    x_properties properties;
};

TEST_F(under_window_manager, the_window_can_be_minimized_and_closed_but_not_maximized) {
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !properties.values(window, "_NET_WM_ALLOWED_ACTIONS").empty(); }));
    EXPECT_TRUE(properties.allows(window, "_NET_WM_ACTION_CLOSE"));
    EXPECT_TRUE(properties.allows(window, "_NET_WM_ACTION_MINIMIZE"));
    EXPECT_FALSE(properties.allows(window, "_NET_WM_ACTION_MAXIMIZE_HORZ"));
    EXPECT_FALSE(properties.allows(window, "_NET_WM_ACTION_MAXIMIZE_VERT"));
    EXPECT_FALSE(properties.allows(window, "_NET_WM_ACTION_RESIZE"));
    // Nor does the window ask for resizing or a maximize button, which some window managers
    // draw whenever resizing is offered.
    const auto motif = properties.values(window, "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3U);
    EXPECT_EQ(motif[1] & 0x12U, 0U);  // resize and maximize
    EXPECT_EQ(motif[2] & 0x40U, 0U);  // the maximize button
    EXPECT_NE(motif[2] & 0x20U, 0U);  // the minimize button
    // The icon the window manager and the task bar show.
    EXPECT_FALSE(properties.values(window, "_NET_WM_ICON").empty());
}

TEST_F(under_window_manager, a_notice_stays_on_screen_wide_enough_for_its_caption) {
    fill({"100", "2"});  // a short notice: 赔率不够！(1)
    edit("编辑框3")->setText("abc");
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        // No minimize or maximize button or function asked of the window manager.
        const auto motif = properties.values(*box, "_MOTIF_WM_HINTS");
        ASSERT_GE(motif.size(), 3U);
        EXPECT_EQ(motif[1] & 0x1AU, 0U);  // resize, minimize, maximize
        EXPECT_EQ(motif[2] & 0x60U, 0U);  // minimize and maximize buttons
        // Minimized through the window manager, it comes back at once.
        properties.ask_to_minimize(*box);
        QTest::qWait(300);
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->isMinimized());
        // The caption in a bold font of the title bar's height, beside an icon and three buttons
        // as wide as the title bar is tall.
        const int title_bar = box->frameGeometry().height() - box->geometry().height();
        QFont title = box->font();
        title.setBold(true);
        title.setPixelSize(std::max(title_bar, 1));
        EXPECT_GE(box->frameGeometry().width(),
                  QFontMetrics(title).horizontalAdvance(box->windowTitle()) + 4 * title_bar);
        checked = true;
        box->accept();
    });
    QTest::mouseClick(push("按钮1"), Qt::LeftButton);
    EXPECT_TRUE(checked);
}

TEST_F(under_window_manager, keys_with_alt_or_super_type_nothing_the_filter_refuses) {
    QLineEdit* total = edit("编辑框1");
    total->setFocus();
    // (Super+D would show the desktop under openbox; Super+X is free.)
    type_keys({"alt+a", "alt+period", "alt+b", "super+x", "alt+5"});
    EXPECT_EQ(total->text(), "5");
    QApplication::clipboard()->setText("abc");
    type_keys({"ctrl+v"});
    EXPECT_EQ(total->text(), "5abc");
    // Last, as the window manager may open its window menu on it.
    type_keys({"alt+space", "Escape"});
    EXPECT_EQ(total->text(), "5abc");
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
    quorvel::set_fp_environment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed, also when listing the tests
    }
    QApplication application(argc, argv);
    quorvel::qt::use_window_font();
    quorvel::qt::use_application_icon();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
