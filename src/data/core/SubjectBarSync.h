// Copies between the TestHeader and the SubjectBar's controls. The bar itself is a
// widget; this code sees it only through SubjectBarFields, so it runs without Qt.
#pragma once

#include <string>

namespace krovel {

// SubjectBar control ids.
enum SubjectBarId : int {
    IdSubjectName = 1000,
    IdSexFemale = 1001,
    IdSexMale = 1002,
    IdSignalBelow = 1004,
    IdSport = 1005,
    IdComment = 1006,
    IdSignalAbove = 1007,
    IdBodyWeight = 1020,
    IdSetNo = 1031,
    IdHeight = 1032,
    IdDate = 1033,
    IdTime = 1034,
    IdExercise = 1035,
    IdBarbellWeight = 1036,
    IdBarbellUnit = 1037,
    IdBodyWeightUnit = 1055,
    IdStop = 1057,
};

class SubjectBarFields {
public:
    virtual ~SubjectBarFields() = default;
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;
    // Id of the checked radio button among first..last, 0 when none is checked.
    virtual int checkedRadio(int first, int last) const = 0;
    // Checks the button id among first..last; an id outside the range unchecks all.
    virtual void checkRadio(int first, int last, int id) = 0;
};

void ReadSubjectBar(const SubjectBarFields& bar);
void WriteSubjectBar(SubjectBarFields& bar);

// New live measurement: empties the table (only RepCount is reset in each entry).
void ClearSeriesTable(const SubjectBarFields& bar);

} // namespace krovel
