#pragma once
// The shell's print-time hooks, which the report dialog facade hands to every
// design report it runs: amounts and dates in words for labels named after a
// fixed scheme, and the pictures of the image field "BILDE" decoded from PNG
// or JPEG.
//
// The band hook rewrites, before any band prints, the labels named SumLat,
// SumLatExpr, SumLatEur, SumLatEurExpr, DatLat, DatLatExpr and the same for
// Eng, Rus and Swe, each bare and with the suffixes 1 to 5 (144 names). A
// caption names a field of the current record (Sum..., Dat...) or holds the
// number or date itself (...Expr); the caption becomes the words. A label
// whose caption cannot be read keeps it.

#include <QPointer>
#include <QString>

#include <vector>

class QObject;

namespace zelmio {

class TComponent;
class TDataSet;
class TVxCustomBand;
class TVxPicture;

class TZelmioPrintHooks {
public:
    // dataSet: the main window's record set, read for the current record.
    explicit TZelmioPrintHooks(TDataSet *dataSet)
        : m_dataSet(dataSet)
    {
    }

    // The band hook; never reads or changes printBand. Raises EVxError when
    // a component of one of the names is not a label.
    void BandBeforePrint(TVxCustomBand *sender, bool &printBand);
    // The image hook: for the field "BILDE" holding a PNG or JPEG picture,
    // the picture becomes the decoded image. Raises EVxError when such a
    // picture cannot be decoded.
    void DBImageBeforePrint(QObject *sender, TVxPicture *picture);

    // The work for one label name: tips 0 amount from the field named by the
    // caption, 1 amount in the caption, 2 date from the field named by the
    // caption, 3 date in the caption; valoda 1 Latvian, 2 English, 3
    // Russian, 4 Swedish; valuta "EUR" or empty (from the field "VALUTA").
    void SumVardiemRovevarurez(TVxCustomBand *sender, const QString &komponente, const QString &valuta, int tips,
                               int valoda);

private:
    struct TLabelName {
        QString name;
        QString valuta;
        int tips;
        int valoda;
    };
    // The names of the scheme that the band's owner holds, looked up once
    // per owner and again only when its components change.
    const std::vector<TLabelName> &PresentNames(const TComponent *owner);

    TDataSet *m_dataSet;
    QPointer<const QObject> m_namesOwner;
    int m_namesOwnerCount = -1;
    std::vector<TLabelName> m_presentNames;
};

} // namespace zelmio
