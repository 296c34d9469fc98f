#include <QTest>
class Placeholder : public QObject { Q_OBJECT private slots: void none() {} };
QTEST_MAIN(Placeholder)
#include "tst_sky_pictures.moc"
