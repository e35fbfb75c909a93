#pragma once
// "Mesures réalistes": what a classroom's instruments add to a measured point,
// and the random numbers behind it.
//
// The scatter model, as the help states it:
//  - the conductimeter: each reading is the beaker's conductivity times
//    (1 + 1 % . z), z a standard normal draw (its repeatability), then shown
//    to its last digit (three significant digits, as the bench's display);
//  - the burette, graduated every 0,1 mL and read to half a graduation: each
//    reading is off by up to +-0,05 mL (uniform); the zero, read once at the
//    start, is off the same way, which shifts every later volume alike; and
//    the glass itself delivers up to +-0,05 mL (its tolerance, a class B
//    25 mL burette) more or less than its marks say, growing along the
//    burette. The student writes the volume read, the beaker has received
//    the volume delivered: the conductivity is that of the delivered volume.
//
// Every draw comes from a seed through std::mt19937_64, whose output the
// C++ standard fixes, and our own uniform and Box-Muller normal draws
// (std::normal_distribution differs between standard libraries), so that a
// seed gives the same series everywhere. A point's draws depend only on the
// seed and its volume read, to the hundredth of a millilitre: the same seed
// repeats a series whatever the step or the order of the pouring.

#include "model/conductivity.h"
#include "model/measurement.h"
#include "model/model.h"

#include <cstdint>
#include <random>

namespace titrage {

// The instruments' uncertainties, as the help gives them.
struct ScatterModel {
    double relative = 0.01;         // conductimeter, standard deviation / reading
    int displayDigits = 3;          // significant digits the display shows
    double readingHalfWidth = 0.05; // mL, a burette reading (uniform)
    double tolerance = 0.05;        // mL, the burette's tolerance over its 25 mL
    double capacity = 25;           // mL
};

// Standard uncertainties (uniform half-widths over sqrt 3).
double readingUncertainty(const ScatterModel& m);
// Of the volume delivered up to v: the zero's reading and the tolerance at v.
double buretteUncertainty(const ScatterModel& m, double v);
// Of one conductimeter reading: 1 % and the display's rounding (a digit over sqrt 12).
double sigmaUncertainty(const ScatterModel& m, double sigma);

// A reproducible stream of draws.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : m_engine(seed) {}
    // In [0, 1), 53 bits.
    double uniform();
    // In [-1, 1).
    double symmetric() { return 2 * uniform() - 1; }
    // A standard normal draw (Box-Muller, both values of a pair used).
    double normal();

private:
    std::mt19937_64 m_engine;
    double m_spare = 0;
    bool m_hasSpare = false;
};

// A seed mixed with a number (splitmix64's finaliser): independent streams
// from one seed.
std::uint64_t mixSeed(std::uint64_t seed, std::uint64_t k);

// One realistic series: the seed, and the errors it gives the whole series
// (the zero's reading and the burette's calibration).
class ScatterSeries {
public:
    explicit ScatterSeries(std::uint64_t seed, ScatterModel model = {});
    std::uint64_t seed() const { return m_seed; }
    const ScatterModel& model() const { return m_model; }

    // The volume the beaker received when v mL is read (0 at 0).
    double deliveredVolume(double read) const;
    // The most that any series of `model` delivers when v mL is read: both
    // readings' errors and the glass's tolerance, all in excess.
    static double mostDelivered(double read, const ScatterModel& model = {});
    // The conductimeter's reading of a conductivity at a point read at v mL.
    double reading(double sigma, double read) const;

private:
    std::uint64_t m_seed;
    ScatterModel m_model;
    double m_zero = 0;        // mL, the zero's reading error
    double m_calibration = 0; // mL delivered too much at full capacity
};

// sigma of the beaker the model holds (entries loaded) after `v` mL were
// delivered: the model's own solve at that volume, on a copy.
double sigmaDelivered(Model model, const SigmaInputs& inputs, double v);

// A measured point of a realistic series, read at `read` mL: the reading of
// the conductivity of the volume delivered. The theoretical curve is not
// touched: the caller keeps the exact sigma wherever it draws the model.
double realisticSigma(const Model& loaded, const SigmaInputs& inputs, double read,
                      const ScatterSeries& series);

// The rows of a table as a realistic series reads them: each row's sigma
// that of its volume delivered, as the conductimeter shows it; the volumes
// are those read, the rest of the row the model's.
// A point measured on the bench (the model loaded, sigma at row.v): the
// row's sigma and the model's, which the cross and the list of points take,
// made the series' reading. Kept exact if the reading is not a number.
void scatterRow(Model& model, const SigmaInputs& inputs, TableRow& row,
                const ScatterSeries& series);
void scatterRows(const Model& loaded, const SigmaInputs& inputs, std::vector<TableRow>& rows,
                 const ScatterSeries& series);

} // namespace titrage
