// Dynamic viscosity of water by the IAPWS 2008 formulation, industrial form (no critical enhancement).
#pragma once

namespace kal::if97 {

double Viscosity(double rho, double T);  // Pa s; rho kg/m3, T K

}  // namespace kal::if97
