// Captures turn a model into text, one line maker per kind of statement: the
// command-text capture writes the statements that the player replays, the
// transmit-file capture (kor_capture_xmt.h) records for an outside solver.
// A capture with an open file is also the model's journal.
#pragma once

#include <string>

#include "kor_filebuf.h"
#include "kor_types.h"

class KorModel;
class KorNamesManager;

class KorCapture {
public:
    KorCapture() = default;
    KorCapture(const KorCapture&) = delete;
    KorCapture& operator=(const KorCapture&) = delete;
    // Deleted through the base by the model's Save; a file still open is
    // closed so that no handle outlives its capture.
    virtual ~KorCapture();

    virtual std::string getInitLine() = 0;
    virtual std::string getNodeLine(KorHandle handle, float x, float y) = 0;
    virtual std::string getSegmentLine(KorHandle handle, KorHandle start, KorHandle end) = 0;
    virtual std::string getArcLine(KorHandle handle, KorHandle center, KorHandle start,
                                   KorHandle end) = 0;
    virtual std::string getCircleLine(KorHandle handle, KorHandle center, KorHandle start) = 0;
    // b and c are 0 when absent.
    virtual std::string getConstraintLine(KOREntityType type, KorHandle handle, KorHandle a,
                                          KorHandle b, KorHandle c) = 0;
    virtual std::string getResolveLine() = 0;
    virtual std::string getDeleteLine(KorHandle handle) = 0;
    virtual std::string getDimValueLine(KorHandle handle, const std::string& text) = 0;
    virtual std::string getDimValueLine(KorHandle handle, float number) = 0;
    virtual std::string getDimaintWeightLine(KorHandle handle);

    // Binds the capture to the model and to its names manager.
    void SetModel(KorModel* model);
    KorModel* GetModel() const { return mpModel; }

    // Opens path for writing (a new file only).
    bool open(const char* path);
    // Starts journaling: plays an existing file of that name into the model,
    // then opens it for writing. Any failure leaves the capture inactive.
    bool init(const char* path);
    bool close();
    // The text and one line feed; a failure leaves the capture inactive so
    // that no later statement is glued onto a broken line.
    bool writeln(const std::string& text);
    bool isActive() const { return mbActive; }

protected:
    // The name bound to handle, or "" when it has none.
    const char* NameOf(KorHandle handle) const;

    KorModel* mpModel = nullptr;
    KorFilebuf mFile;
    bool mbActive = false;
    KorNamesManager* mpNames = nullptr;
};

// Command text: one statement a line, as the player reads it back.
class KorCaptureVCR : public KorCapture {
public:
    std::string getInitLine() override;
    std::string getNodeLine(KorHandle handle, float x, float y) override;
    std::string getSegmentLine(KorHandle handle, KorHandle start, KorHandle end) override;
    std::string getArcLine(KorHandle handle, KorHandle center, KorHandle start,
                           KorHandle end) override;
    std::string getCircleLine(KorHandle handle, KorHandle center, KorHandle start) override;
    std::string getConstraintLine(KOREntityType type, KorHandle handle, KorHandle a, KorHandle b,
                                  KorHandle c) override;
    std::string getResolveLine() override;
    std::string getDeleteLine(KorHandle handle) override;
    std::string getDimValueLine(KorHandle handle, const std::string& text) override;
    std::string getDimValueLine(KorHandle handle, float number) override;
    std::string getDimaintWeightLine(KorHandle handle) override;

private:
    // "N=" with the object's name drawn for type (generated when unbound).
    std::string Target(KorHandle handle, KOREntityType type);
};
