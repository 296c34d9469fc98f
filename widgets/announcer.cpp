#include "announcer.h"

#include "accessible_widgets.h"

#include <QAccessible>
#include <QWidget>

// A notification: one pixel in the window's corner that paints nothing and
// lets every mouse event through. Its class tells the accessibility factory
// its role.
class AccessibleNotificationMark : public QWidget
{
    Q_OBJECT

public:
    explicit AccessibleNotificationMark(QWidget *window)
        : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
    }
};

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
namespace {
QWidget *announcerOf(QWidget *window)
{
    if (auto *existing = window->findChild<AccessibleNotificationMark *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    InstallAccessibleWidgets();
    return new AccessibleNotificationMark(window);
}
} // namespace
#endif

void Announce(QWidget *source, const QString &message)
{
    if (!source || !QAccessible::isActive())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, message);
    QAccessible::updateAccessibility(&event);
#else
    QWidget *announcer = announcerOf(source->window());
    announcer->hide();
    announcer->setAccessibleName(message);
    announcer->show();
#endif
}

#include "announcer.moc"
