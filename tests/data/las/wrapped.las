~VERSION INFORMATION
 VERS.                  2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                  YES:   MULTIPLE LINES PER DEPTH STEP
~WELL INFORMATION BLOCK
 STRT.M          1500.0000:    START DEPTH
 STOP.M          1500.5000:    STOP DEPTH
 STEP.M             0.2500:    STEP VALUE
 NULL.           -999.2500:    NULL VALUE
~CURVE INFORMATION
 DEPT.M                      :  1  DEPTH
 RHOB.G/CC                   :  2  BULK DENSITY
 GR  .GAPI                   :  3  GAMMA RAY
 DT  .US/F                   :  4  SONIC
 DTSM.US/F                   :  5  SHEAR SONIC
~A
1500.00
   2.45  60.0
   95.0  170.0
1500.25
   2.46  61.0
   96.0  -999.25
1500.50
   2.47  62.0
   97.0  172.0
