#pragma once
// The titles of the thirteen elastic tracks of the Graph page, in track order.

namespace lithora::test {

inline constexpr const char* kElasticTrackTitles[13] = {"POISSON RATIO",
                                                        "LAME PAR. (GPa)",
                                                        "BULK MOD. (GPa)",
                                                        "SHEAR MOD. (GPa)",
                                                        "YOUNG MOD. (GPa)",
                                                        "LAMBDA.RHO (GPa.Kg/m3)",
                                                        "MU.RHO (GPa.Kg/m3)",
                                                        "LAMBDA/MU",
                                                        "Vp (m/s)",
                                                        "Vs (m/s)",
                                                        "Vp/Vs",
                                                        "P-IMPEDANCE (Mg/sm2)",
                                                        "S-IMPEDANCE (Mg/sm2)"};

}  // namespace lithora::test
