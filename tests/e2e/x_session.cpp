#include "x_session.h"

#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <csignal>
#include <vector>
#include <sys/prctl.h>
#include <unistd.h>

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {
// Windows come and go while the tree is read; such errors are not fatal here.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}
} // namespace

void DieWithParent(QProcess &process)
{
    // A test killed half-way leaves no server or program behind; in a group
    // of its own, what it starts (a browser's helpers) goes with it.
    process.setChildProcessModifier([] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        setpgid(0, 0);
    });
}

void KillWithItsGroup(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(-pid_t(process.processId()), SIGKILL);
    process.kill();
    process.waitForFinished(5000);
}

XServer::XServer()
{
    DieWithParent(m_process);
}

XServer::~XServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QSize XServer::screenSize()
{
    // Another screen where asked (a projector's), as WIDTHxHEIGHT.
    const QStringList size = qEnvironmentVariable("QUELVARA_E2E_SCREEN", QStringLiteral("1280x1024")).split(u'x');
    return QSize(size.value(0).toInt(), size.value(1).toInt());
}

bool XServer::start(QString *error)
{
    // -displayfd makes the server pick a free display and print its number.
    m_process.setProgram(QStringLiteral("Xvfb"));
    m_process.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                            QStringLiteral("0"),
                            QStringLiteral("%1x%2x24").arg(screenSize().width()).arg(screenSize().height()),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(5000)) {
        *error = QStringLiteral("Xvfb does not start: ") + m_process.errorString();
        return false;
    }
    QByteArray number;
    QDeadlineTimer deadline(10000);
    while (!number.contains('\n') && !deadline.hasExpired()) {
        m_process.waitForReadyRead(200);
        number += m_process.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        *error = QStringLiteral("Xvfb gave no display number: ")
                 + QString::fromLocal8Bit(m_process.readAllStandardError());
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    return true;
}

struct XClient::Private
{
    Display *display = nullptr;
};

XClient::XClient()
    : d(std::make_unique<Private>())
{
}

XClient::~XClient()
{
    if (d->display)
        XCloseDisplay(d->display);
}

bool XClient::open(const QString &display)
{
    XSetErrorHandler(ignoreXError);
    d->display = XOpenDisplay(display.toLatin1().constData());
    int event = 0, error = 0, major = 0, minor = 0;
    return d->display && XTestQueryExtension(d->display, &event, &error, &major, &minor);
}

namespace {
QString titleOf(Display *display, Window window)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success && data) {
        title = QString::fromUtf8(reinterpret_cast<char *>(data), int(count));
        XFree(data);
    }
    return title;
}
} // namespace

// The top-level window with that title, or 0; under a window manager, the
// window inside its frame.
static unsigned long findIn(Display *display, Window parentWindow, const QString &title, bool viewableOnly,
                            int depth, const std::function<bool(Window)> &isViewable)
{
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parentWindow, &root, &parent, &children, &count);
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        if (titleOf(display, children[i]) == title && (!viewableOnly || isViewable(children[i])))
            found = children[i];
    for (unsigned int i = 0; i < count && !found && depth > 0; ++i)
        found = findIn(display, children[i], title, viewableOnly, depth - 1, isViewable);
    if (children)
        XFree(children);
    return found;
}

unsigned long XClient::findWindow(const QString &title, bool viewableOnly) const
{
    return findIn(d->display, DefaultRootWindow(d->display), title, viewableOnly, 1,
                  [this](Window window) { return isViewable(window); });
}

QRect XClient::geometry(unsigned long window) const
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d->display, window, &attributes))
        return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d->display, window, DefaultRootWindow(d->display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

bool XClient::isViewable(unsigned long window) const
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(d->display, window, &attributes) && attributes.map_state == IsViewable;
}

void XClient::moveTo(QPoint point) const
{
    XTestFakeMotionEvent(d->display, -1, point.x(), point.y(), CurrentTime);
    XSync(d->display, False);
}

void XClient::press(int button) const
{
    XTestFakeButtonEvent(d->display, unsigned(button), True, CurrentTime);
    XSync(d->display, False);
}

void XClient::release(int button) const
{
    XTestFakeButtonEvent(d->display, unsigned(button), False, CurrentTime);
    XSync(d->display, False);
}

void XClient::click(QPoint point, int button) const
{
    moveTo(point);
    QThread::msleep(30);
    press(button);
    QThread::msleep(30);
    release(button);
    // Far enough apart that two clicks never make a double click.
    QThread::msleep(450);
}

void XClient::key(const char *keys) const
{
    // "Control_L+q": every key pressed in turn, then released in reverse.
    std::vector<KeyCode> codes;
    for (const QByteArray &name : QByteArray(keys).split('+'))
        codes.push_back(XKeysymToKeycode(d->display, XStringToKeysym(name.constData())));
    for (const KeyCode code : codes)
        XTestFakeKeyEvent(d->display, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(d->display, *code, False, CurrentTime);
    XSync(d->display, False);
}

void XClient::closeWindow(unsigned long window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d->display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(d->display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d->display, window, False, NoEventMask, &event);
    XSync(d->display, False);
}

QImage XClient::icon(unsigned long window, int size) const
{
    // _NET_WM_ICON: width, height, then ARGB pixels, for each size in turn.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QImage result;
    if (XGetWindowProperty(d->display, window, XInternAtom(d->display, "_NET_WM_ICON", False), 0,
                           1 << 20, False, XA_CARDINAL, &type, &format, &count, &after, &data) != Success
        || !data)
        return result;
    const auto *values = reinterpret_cast<const unsigned long *>(data);
    for (unsigned long i = 0; i + 2 <= count && result.isNull();) {
        const unsigned long w = values[i], h = values[i + 1];
        if (w == unsigned(size) && h == unsigned(size) && i + 2 + w * h <= count) {
            result = QImage(size, size, QImage::Format_ARGB32);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    result.setPixel(x, y, QRgb(values[i + 2 + unsigned(y * size + x)]));
        }
        i += 2 + w * h;
    }
    XFree(data);
    return result;
}

QImage XClient::grab(QRect area) const
{
    XImage *image = XGetImage(d->display, DefaultRootWindow(d->display), area.x(), area.y(),
                              unsigned(area.width()), unsigned(area.height()), AllPlanes, ZPixmap);
    QImage result(area.size(), QImage::Format_RGB32);
    if (!image) {
        result.fill(Qt::magenta);
        return result;
    }
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return int((pixel >> shift) & mask);
    };
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            result.setPixel(x, y, qRgb(channel(p, image->red_mask), channel(p, image->green_mask),
                                       channel(p, image->blue_mask)));
        }
    XDestroyImage(image);
    return result;
}

QRgb XClient::pixel(QPoint point) const
{
    return grab(QRect(point, QSize(1, 1))).pixel(0, 0);
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}
