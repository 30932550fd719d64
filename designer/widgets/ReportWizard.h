#pragma once
// The report wizard "New report definition": a modal dialog that asks for
// the report style, the record set and its fields, the bands, fonts and
// lines, and for label sheets the label stock, paper and grid, and on its
// last page builds the report with the report creator.
//
// Pages: 0 style, 1 record set, 2 fields, 3 bands, 4 label stock, 5 paper,
// 6 label grid, 7 general options, 8 fonts and lines, 9 finish. Pages that
// do not apply to the chosen style are passed over.

#include "model/VxFont.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace zelmio {

class TCustomVexa;
class TDataSet;
class TVexaCreator;
class TVexaDesigner;

class TTesmolaReportExpert : public QDialog {
    Q_OBJECT
public:
    enum Style { ListStyle, FormStyle, SingleForm, Tabular, BlankReport, MailingLabels };
    enum Page {
        ReportTypePage, DatasetPage, DatafieldsPage, BandsPage, LabelSelectPage, PaperSizePage, LabelFormatPage,
        SpecialOptionsPage, FontsPage, FinishPage
    };

    TTesmolaReportExpert(QWidget *parent, TVexaDesigner *designer);
    ~TTesmolaReportExpert() override;

    // Binds the wizard to a report and creator and fills the pages from the report.
    void BindReport(TCustomVexa *report, TVexaCreator *creator);
    // The record set the application chose: selected, and its page passed over.
    void SetDefaultDataset(TDataSet *dataSet);

    int CurrentPage() const;
    Style CurrentStyle() const;
    void Next();
    void Back();
    // Builds the report from the answers (runs on reaching the last page).
    void CreateReport();
    TDataSet *Datasource() const { return m_datasource; }

    void SetCaptionFont(const QFont &font);
    void SetDataFont(const QFont &font);
    // What "&Preview..." runs; without it the button is disabled.
    void SetOnPreview(const std::function<void()> &preview);

    // Redraws the label previews of pages 4 and 6.
    void DrawLabelPreviews();
    // The label grid from a sheet of the list of page 4.
    void SelectLabelFormat(int row);

protected:
    void reject() override;

private:
    QWidget *BuildStylePage();
    QWidget *BuildDatasetPage();
    QWidget *BuildFieldsPage();
    QWidget *BuildBandsPage();
    QWidget *BuildLabelSelectPage();
    QWidget *BuildPaperPage();
    QWidget *BuildLabelGridPage();
    QWidget *BuildOptionsPage();
    QWidget *BuildFontsPage();
    QWidget *BuildFinishPage();
    QLineEdit *LengthEdit(const char *name, const QString &text);
    int Skip(int page, int direction) const;
    void ShowPage(int page);
    void FillFieldLists(TDataSet *dataSet);
    void ManufacturerChosen(int index);
    void MoveFields(bool toUsed, bool all);
    void MoveUsed(int delta);
    void ChooseFont(bool caption);
    void ShowFonts();
    QString Number(long double value) const;
    bool ToNumber(const QLineEdit *edit, long double &value) const;
    QImage PreviewImage(QSize size) const;

    TVexaDesigner *m_designer;
    TCustomVexa *m_report = nullptr;
    TVexaCreator *m_creator = nullptr;
    TDataSet *m_datasource = nullptr;
    QList<TDataSet *> m_dataSets;     // in the order of the list, after its first entry
    QStringList m_currentLabels;
    bool m_defaultDatasetOnly = false;
    bool m_fieldsFilled = false;
    std::function<void()> m_onPreview;
    TVxFont m_captionFont;
    TVxFont m_dataFont;

    QStackedWidget *m_pages = nullptr;
    QButtonGroup *m_styles = nullptr;
    QListWidget *m_datasetList = nullptr;
    QListWidget *m_available = nullptr;
    QListWidget *m_used = nullptr;
    QCheckBox *m_title = nullptr;
    QCheckBox *m_pageHeader = nullptr;
    QCheckBox *m_pageFooter = nullptr;
    QCheckBox *m_summary = nullptr;
    QComboBox *m_manufacturer = nullptr;
    QListWidget *m_formats = nullptr;
    QLabel *m_preview1 = nullptr;
    QLabel *m_preview2 = nullptr;
    QComboBox *m_paper = nullptr;
    QLineEdit *m_paperWidth = nullptr;
    QLineEdit *m_paperLength = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_bottom = nullptr;
    QLineEdit *m_left = nullptr;
    QLineEdit *m_right = nullptr;
    QRadioButton *m_labelLandscape = nullptr;
    QRadioButton *m_labelPortrait = nullptr;
    QLineEdit *m_labelWidth = nullptr;
    QLineEdit *m_labelHeight = nullptr;
    QLineEdit *m_labelColumns = nullptr;
    QLineEdit *m_columnSpace = nullptr;
    QLineEdit *m_labelRows = nullptr;
    QLineEdit *m_rowSpace = nullptr;
    QRadioButton *m_pageLandscape = nullptr;
    QRadioButton *m_pagePortrait = nullptr;
    QLineEdit *m_pageColumns = nullptr;
    QLineEdit *m_columnSpacing = nullptr;
    QLineEdit *m_reportTitle = nullptr;
    QLabel *m_captionExample = nullptr;
    QLabel *m_dataExample = nullptr;
    QCheckBox *m_hLines = nullptr;
    QCheckBox *m_vLines = nullptr;
    QCheckBox *m_boxLines = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
    QPushButton *m_previewButton = nullptr;
    QList<QLabel *> m_unitCaptions;
};

// Opens the wizard on the designer's report: clears it, and when the user
// finishes marks the document changed and refreshes the designer's field
// list. With a default record set the record set page is passed over.
// True when the wizard ended with OK.
bool RunReportWizard(QWidget *parent, TVexaDesigner *designer, TDataSet *defaultDataSet = nullptr);

} // namespace zelmio
