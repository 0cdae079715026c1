~VERSION INFORMATION
 VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                  NO:   ONE LINE PER DEPTH STEP
~WELL INFORMATION BLOCK
#MNEM.UNIT      DATA             DESCRIPTION
#---- ------ --------------   -----------------------------
 STRT.M          1500.0:    START DEPTH
 STOP.M          1500.5:    STOP DEPTH
 STEP.M          0.25:    STEP VALUE
 NULL.           -999.25:    NULL VALUE
 COMP.           ÆRØ ENERGY:    COMPANY
 WELL.           TEST 1:    WELL
  ~CURVE INFORMATION
 DEPT.M                  :  1  DEPTH
 RHOB.G/CC               :  2  BULK DENSITY
 DT  .US/M               :  3  SONIC
 DTSM.US/M               :  4  SHEAR SONIC
 GR  .GAPI               :  5  GAMMA RAY
 ~PARAMETER INFORMATION
 BHT .DEGC       35.5:    BOTTOM HOLE TEMPERATURE
	~OTHER INFORMATION
 Test well for the command-line tool.
 ~A  DEPTH     RHOB      DT      DTSM     GR
1500.00   2.5000   250.000   500.000   45.0
1500.25   2.5000  -999.250   500.000   50.0
1500.50   2.4000   200.000   400.000   55.0
