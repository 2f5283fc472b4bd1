#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <utility>
#include <vector>

#include "platform/painter.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "platform/window_message_target.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

// Records every message that reaches its window procedure.
class Recorder : public Window {
public:
    using Window::Window;
    std::vector<std::pair<MessageId, WParam>> messages;
    std::vector<QPoint> points;

protected:
    LResult windowProc(MessageId message, WParam wParam, LParam lParam) override
    {
        if (message != WM_NCHITTEST && message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE &&
            message != WM_GETDLGCODE) {
            messages.emplace_back(message, wParam);
            points.emplace_back(lowWord(lParam), highWord(lParam));
        }
        return Window::windowProc(message, wParam, lParam);
    }
    QRect clientArea() const override { return rect().adjusted(0, 20, 0, 0); }
};

TEST(Window, PostedMessagesArriveLaterAndInOrder)
{
    Recorder window;
    window.create(nullptr, QRect(0, 0, 50, 50), 0, 3);
    window.messages.clear();
    window.post(0x700, 1);
    window.post(0x701, 2);
    window.send(0x702, 3);
    ASSERT_EQ(window.messages.size(), 1u);
    QCoreApplication::processEvents();
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].first, 0x700u);
    EXPECT_EQ(window.messages[2].first, 0x701u);
}

TEST(Window, MessageTargetPostsToTheWindowWhileItLives)
{
    auto* window = new Recorder;
    window->create(nullptr, QRect(0, 0, 50, 50), 0, 3);
    WindowMessageTarget target(window);
    target.post(framework::WM_FILE_CHANGED, 0, 0);
    QCoreApplication::processEvents();
    ASSERT_FALSE(window->messages.empty());
    EXPECT_EQ(window->messages.back().first, framework::WM_FILE_CHANGED);
    delete window;
    target.post(framework::WM_FILE_CHANGED, 0, 0);    // nobody there: nothing happens
    QCoreApplication::processEvents();
}

TEST(Window, NotifyWindowIsTheExplicitOneElseTheOwnerElseTheParent)
{
    Window parent;
    Window owner;
    Window explicitOne;
    Window child;
    child.create(&parent, QRect(0, 0, 10, 10), WS_VISIBLE, 9);
    EXPECT_EQ(child.notifyWindow(), &parent);
    child.setOwner(&owner);
    EXPECT_EQ(child.notifyWindow(), &owner);
    EXPECT_EQ(child.setNotifyWindow(&explicitOne), nullptr);
    EXPECT_EQ(child.notifyWindow(), &explicitOne);
    EXPECT_EQ(child.windowStyle() & WS_CHILD, WS_CHILD);
    EXPECT_EQ(child.controlId(), 9);
}

TEST(Window, MouseOutsideTheClientAreaBecomesNonClient)
{
    Recorder window;
    window.create(nullptr, QRect(0, 0, 100, 100), WS_VISIBLE, 1);
    window.show();
    window.messages.clear();
    window.points.clear();
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 50));
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 5));   // released over the band
    QTest::mousePress(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 5));
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[0].first, WM_LBUTTONDOWN);
    EXPECT_EQ(window.messages[0].second, MK_LBUTTON);
    EXPECT_EQ(window.points[0], QPoint(30, 30));                    // client coordinates
    EXPECT_EQ(window.messages[1].first, WM_LBUTTONUP);               // follows its press
    EXPECT_EQ(window.points[1], QPoint(30, -15));
    EXPECT_EQ(window.messages[2].first, WM_NCLBUTTONDOWN);
    EXPECT_EQ(window.points[2], window.mapToGlobal(QPoint(30, 5)));  // screen point
}

void sendButton(QWidget& window, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

TEST(Window, EachButtonEventSendsItsOwnMessage)
{
    Recorder window;
    window.create(nullptr, QRect(0, 0, 100, 100), WS_VISIBLE, 1);
    window.show();
    window.messages.clear();
    const QPoint client(30, 50);
    const QPoint band(30, 5);
    sendButton(window, QEvent::MouseButtonPress, Qt::RightButton, client);
    sendButton(window, QEvent::MouseButtonRelease, Qt::RightButton, client);
    sendButton(window, QEvent::MouseButtonDblClick, Qt::RightButton, client);
    sendButton(window, QEvent::MouseButtonPress, Qt::MiddleButton, client);
    sendButton(window, QEvent::MouseButtonRelease, Qt::MiddleButton, client);
    sendButton(window, QEvent::MouseButtonPress, Qt::RightButton, band);
    sendButton(window, QEvent::MouseButtonRelease, Qt::RightButton, band);   // no non-client release
    sendButton(window, QEvent::MouseButtonDblClick, Qt::LeftButton, band);
    sendButton(window, QEvent::MouseButtonRelease, Qt::LeftButton, band);
    std::vector<MessageId> sent;
    for (const auto& entry : window.messages)
        sent.push_back(entry.first);
    EXPECT_EQ(sent, (std::vector<MessageId>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                                            WM_MBUTTONUP, WM_NCRBUTTONDOWN, WM_RBUTTONUP, WM_NCLBUTTONDBLCLK,
                                            WM_NCLBUTTONUP}));
}

TEST(Window, KeysBecomeKeyDownCharAndKeyUp)
{
    Recorder window;
    window.create(nullptr, QRect(0, 0, 100, 100), WS_VISIBLE, 1);
    window.show();
    window.messages.clear();
    QTest::keyClick(&window, Qt::Key_A);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[0], std::make_pair(WM_KEYDOWN, WParam{VK_A}));
    EXPECT_EQ(window.messages[1], std::make_pair(WM_CHAR, WParam{'a'}));
    EXPECT_EQ(window.messages[2], std::make_pair(WM_KEYUP, WParam{VK_A}));
}

TEST(VirtualKeys, QtKeysMapToTheWindowsValuesAndBack)
{
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_PageUp), 0x21);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Home), 0x24);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Down), 0x28);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Return), 0x0D);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Enter), 0x0D);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Z), 0x5A);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_7), 0x37);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_F12), 0x7B);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Backtab), VK_TAB);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Launch0), 0);
    for (int vk : {VK_BACK, VK_ESCAPE, VK_INSERT, VK_DELETE, VK_F1 + 4, VK_A + 3, VK_0 + 9})
        EXPECT_EQ(virtualKeyFromQt(qtKeyFromVirtualKey(vk)), vk);
}

TEST(Painter, LinesStopBeforeTheirEndPoint)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        Painter painter(&image);
        painter.line(2, 3, 6, 3, rgb(255, 0, 0));
        painter.line(8, 8, 8, 4, rgb(0, 0, 255));
    }
    EXPECT_EQ(toColorRef(image.pixelColor(2, 3)), rgb(255, 0, 0));
    EXPECT_EQ(toColorRef(image.pixelColor(5, 3)), rgb(255, 0, 0));
    EXPECT_EQ(toColorRef(image.pixelColor(6, 3)), rgb(255, 255, 255));
    EXPECT_EQ(toColorRef(image.pixelColor(8, 8)), rgb(0, 0, 255));
    EXPECT_EQ(toColorRef(image.pixelColor(8, 5)), rgb(0, 0, 255));
    EXPECT_EQ(toColorRef(image.pixelColor(8, 4)), rgb(255, 255, 255));
}

TEST(Painter, ColorRefIsBlueGreenRed)
{
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(toQColor(0x563412), QColor(0x12, 0x34, 0x56));
}

TEST(Painter, TextFormatsMapToQtAlignment)
{
    EXPECT_TRUE(Painter::qtTextFlags(DT_RIGHT | DT_SINGLELINE | DT_VCENTER) & Qt::AlignRight);
    EXPECT_TRUE(Painter::qtTextFlags(DT_CENTER | DT_SINGLELINE | DT_VCENTER) & Qt::AlignVCenter);
    EXPECT_TRUE(Painter::qtTextFlags(DT_LEFT) & Qt::TextShowMnemonic);
    EXPECT_FALSE(Painter::qtTextFlags(DT_NOPREFIX) & Qt::TextShowMnemonic);
}

} // namespace
} // namespace platform
