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
#include <functional>
#include <vector>

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

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
    quorvel::set_fp_environment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed, also when listing the tests
    }
    QApplication application(argc, argv);
    quorvel::qt::use_window_font();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
