#pragma once

// Helpers shared by the tests: the real main window, shown, with real mouse
// events sent through its window and grabs of what it shows.

#include "Unit1.h"
#include "link_surface.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWindow>
#include <memory>

inline QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

inline QString colourText(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Compares colours without alpha and says which colours differed.
#define COMPARE_RGB(actual, expected)                                                         \
    do {                                                                                      \
        const QRgb a_ = (actual) | 0xff000000u, e_ = (expected) | 0xff000000u;                \
        if (a_ != e_)                                                                         \
            QFAIL(qPrintable(QStringLiteral("colour %1, expected %2 (%3)")                    \
                                 .arg(colourText(a_), colourText(e_), QStringLiteral(#actual)))); \
    } while (false)

struct ShownForm
{
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    ShownForm()
    {
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the main window was never exposed");
    }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    // What the window shows, once pending work of the event loop is done.
    QImage grab() const
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The same, less its buttons and slider, whose focus and hover frames
    // depend on the way the pupil got there.
    QImage grabWithoutButtons() const
    {
        QImage shot = grab();
        for (QWidget *child : form->findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(child) || qobject_cast<QAbstractSlider *>(child))
                QPainter(&shot).fillRect(child->geometry(), Qt::black);
        return shot;
    }

    QWindow *window() const { return form->windowHandle(); }

    // Real clicks, pressed and released through the window like a pupil's.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseMove(window(), at);
        QTest::mousePress(window(), button, {}, at);
        QTest::mouseRelease(window(), button, {}, at);
        QCoreApplication::processEvents();
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseMove(window(), at);
        QTest::mousePress(window(), button, {}, at);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseMove(window(), at);
        QTest::mouseRelease(window(), button, {}, at);
        QCoreApplication::processEvents();
    }
    void clickControl(const char *name, Qt::MouseButton button = Qt::LeftButton) const
    {
        QWidget *widget = control(name);
        click(widget->geometry().center(), button);
    }

    // A finger on a touch screen, through the window: Qt turns it into mouse
    // events for controls that take no touch.
    static QPointingDevice *touchScreen()
    {
        static QPointingDevice *device = QTest::createTouchDevice();
        return device;
    }
    void touch(QPoint at) const { QTest::touchEvent(window(), touchScreen()).press(0, at, window()); }
    void slide(QPoint to) const { QTest::touchEvent(window(), touchScreen()).move(0, to, window()); }
    void lift(QPoint at) const
    {
        QTest::touchEvent(window(), touchScreen()).release(0, at, window());
        QCoreApplication::processEvents();
    }
    void tap(QPoint at) const
    {
        touch(at);
        lift(at);
    }
};
