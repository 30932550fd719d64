#pragma once
// The generation engine as the report model sees it while a run is going
// on: the controllers' record loops, the report's page and column breaks
// (callable from hooks) and the band printing all go through it. The
// engine library implements it and installs it in the report's run state for
// the length of a run.

namespace zelmio {

class TVxCustomBand;

class TVxRunEngine {
public:
    virtual ~TVxRunEngine() = default;

    // Prints one band now at the current position, with its hooks, breaks,
    // stretching and child bands.
    virtual void PrintBand(TVxCustomBand *band) = 0;
    virtual void NewPage(bool printHeaders) = 0;
    virtual void NewColumn() = 0;
    virtual void EndPage() = 0;

    // True once the run was cancelled (by the report or its printer).
    virtual bool Cancelled() const = 0;
    // Cancels the run and the printer's job.
    virtual void Cancel() = 0;
    // Lets the user interface catch up: called once per record, acts only a
    // few times a second.
    virtual void ProcessMessages() = 0;
    // Progress of the run in percent (0 ... 100).
    virtual void SetProgress(int percent) = 0;
    // Pages the printer has started so far.
    virtual int PrinterPageNumber() const = 0;
    // The number of the record being printed (0 for the first), for export
    // filters.
    virtual void SetRecordNumber(int number) = 0;
};

} // namespace zelmio
