~VERSION INFORMATION
 VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                  NO:   ONE LINE PER DEPTH STEP
~WELL INFORMATION BLOCK
 STRT.M          1000.0:    START DEPTH
 STOP.M          1002.0:    STOP DEPTH
 STEP.M          0.5:    STEP VALUE
 NULL.           -999.25:    NULL VALUE
 WELL.           PRINT 1:    WELL
~CURVE INFORMATION
 DEPT.M                  :  1  DEPTH
 RHOB.G/CC               :  2  BULK DENSITY
 DT  .US/M               :  3  SONIC
 GR  .GAPI               :  4  GAMMA RAY
~A  DEPTH     RHOB      DT      GR
1000.0   2.50   250.0   45.0
1000.5   2.45   240.0   60.0
1001.0   2.40   230.0   75.0
1001.5   2.35   220.0   65.0
1002.0   2.30   210.0   50.0
