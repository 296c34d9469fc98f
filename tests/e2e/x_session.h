#pragma once

// A private X server (Xvfb) for end-to-end tests, and a client that drives it
// like a pupil: real pointer and keyboard events through XTest, and reads of
// the real screen. Nothing of Xlib shows through this header.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

// Starts Xvfb on a display number it picks itself; stops it when destroyed.
class XServer
{
public:
    XServer();
    ~XServer();
    bool start(QString *error);
    static QSize screenSize();
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

class XClient
{
public:
    XClient();
    ~XClient();
    bool open(const QString &display);

    // The first top-level window with this title, or 0; only mapped ones when asked.
    unsigned long findWindow(const QString &title, bool viewableOnly = true) const;
    QRect geometry(unsigned long window) const;
    bool isViewable(unsigned long window) const;

    void moveTo(QPoint point) const;
    void press(int button) const;
    void release(int button) const;
    void click(QPoint point, int button = 1) const;
    // One key by its keysym name, or a chord such as "Control_L+q".
    void key(const char *keys) const;
    // Asks the window to close, as a window manager's close box does.
    void closeWindow(unsigned long window) const;

    // The window's icon of the given size as its window manager sees it, or a null image.
    QImage icon(unsigned long window, int size) const;

    QImage grab(QRect area) const;
    QRgb pixel(QPoint point) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Kills the process when the test that started it dies.
void DieWithParent(QProcess &process);
// Kills a process started with DieWithParent, and all that it started.
void KillWithItsGroup(QProcess &process);

// Polls until the condition holds or the time is up.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 10000, int pollMs = 50);
