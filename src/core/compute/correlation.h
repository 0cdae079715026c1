#pragma once
#include <span>
#include <string>
#include <vector>

namespace lithora::compute {

// Pearson correlation coefficient of two columns of one length; NaN is a null sample.
// A pair where either sample is null is left out. The sums are taken about the means (a
// pass for the means, then one for the deviations), so a curve with a large mean and a small
// spread, such as a depth near 3000 m that changes by a millimetre, keeps its digits. No pair, or a
// column that is constant over the pairs, gives 0; so does any result that is not a finite number.
double correlationCoefficient(std::span<const double> x, std::span<const double> y);

// The coefficient as the list shows it: fixed point with 4 decimals ("0.8734", "-1.0000"),
// with the given decimal separator; a value that rounds to zero shows no sign.
std::string coefficientText(double r, char decimalSeparator = '.');

// A column with the name its correlation row shows.
struct NamedColumn {
    std::string name;
    std::span<const double> values;
};

// One row of the correlation list: a curve's name and its coefficient with the reference.
struct CorrelationRow {
    std::string name;
    double coefficient = 0;
};

// What the correlation list is computed from: the visible records of the source table and,
// when elastic results exist, of the elastic table. Each record carries its "Rec" number;
// an elastic record is paired with the source record of the same "Rec", so the pairs stay
// at one depth even when the two tables show different records (elastic results computed
// under a depth filter that has since been undone).
struct CorrelationInput {
    std::span<const double> sourceRec;
    std::span<const double> reference;      // the reference curve, parallel to sourceRec
    std::vector<NamedColumn> sourceCurves;  // each parallel to sourceRec
    std::span<const double> elasticRec;
    std::vector<NamedColumn> elasticFields;  // each parallel to elasticRec; empty: none
};

// The rows in list order: every source curve (the reference among them), then every
// elastic field.
std::vector<CorrelationRow> correlationRows(const CorrelationInput& in);

// The reference sample of the source record with each elastic record's "Rec": NaN where
// no visible source record has that number.
std::vector<double> referenceByRec(std::span<const double> sourceRec,
                                   std::span<const double> reference,
                                   std::span<const double> elasticRec);

}  // namespace lithora::compute
