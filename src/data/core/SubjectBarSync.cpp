#include "data/core/SubjectBarSync.h"

#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"

namespace krovel {

void ReadSubjectBar(const SubjectBarFields& bar) {
    SubjectRecord& s = TestHeader.Subject;
    s.SubjectName = bar.text(IdSubjectName);
    s.Height = ParseControlInt(bar.text(IdHeight));
    s.Sex = bar.checkedRadio(IdSexFemale, IdSexMale);
    TestHeader.Exercise = bar.text(IdExercise);
    TestHeader.Sport = bar.text(IdSport);
    s.Comment = bar.text(IdComment);
    s.BodyWeight = ParseControlInt(bar.text(IdBodyWeight));
    TestHeader.BarbellWeightText = bar.text(IdBarbellWeight);
    if (auto weight = ScanFloat(TestHeader.BarbellWeightText)) TestHeader.BarbellWeight = *weight;
    TestHeader.SignalBelowPct = ParseControlInt(bar.text(IdSignalBelow));
    TestHeader.SignalAbovePct = ParseControlInt(bar.text(IdSignalAbove));
}

void WriteSubjectBar(SubjectBarFields& bar) {
    const SubjectRecord& s = TestHeader.Subject;
    bar.setText(IdSubjectName, s.SubjectName);
    bar.setText(IdBodyWeight, std::to_string(s.BodyWeight));
    bar.setText(IdHeight, std::to_string(s.Height));
    bar.setText(IdExercise, TestHeader.Exercise);
    bar.setText(IdSport, TestHeader.Sport);
    bar.setText(IdComment, s.Comment);
    bar.checkRadio(IdSexFemale, IdSexMale, s.Sex);
    const int i = ShownSeriesIndex();
    bar.setText(IdTime, FormatLocalTime(Series[i].StartTime, "%H:%M:%S"));
    bar.setText(IdDate, FormatLocalTime(Series[i].StartTime, "%d/%m/%Y"));
    bar.setText(IdBarbellUnit, "kg");
    bar.setText(IdBodyWeightUnit, "kg");
    bar.setText(IdSetNo, std::to_string(CurrentSeries + 1));
    SelectSeriesLimits(i);
    bar.setText(IdBarbellWeight,
                FormatText("%6.2f", static_cast<double>(TestHeader.BarbellWeight)));
    bar.setText(IdSignalBelow, std::to_string(TestHeader.SignalBelowPct));
    bar.setText(IdSignalAbove, std::to_string(TestHeader.SignalAbovePct));
}

void ClearSeriesTable(const SubjectBarFields& bar) {
    SeriesCount = 0;
    CurrentSeries = 0;
    ReadSubjectBar(bar);
    for (SeriesRecord& r : Series) r.RepCount = 0;
}

} // namespace krovel
