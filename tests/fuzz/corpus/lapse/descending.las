~VERSION INFORMATION
 VERS.                  2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                   NO:   ONE LINE PER DEPTH STEP
~WELL INFORMATION BLOCK
#MNEM.UNIT      DATA             DESCRIPTION
#---- ------ --------------   -----------------------------
 STRT.M          1670.0000:    START DEPTH
 STOP.M          1669.2500:    STOP DEPTH
 STEP.M            -0.2500:    STEP VALUE
 NULL.           -999.2500:    NULL VALUE
 COMP.    ANY OIL COMPANY:    COMPANY
 WELL.    DESCENDING #1:    WELL
~CURVE INFORMATION
#MNEM.UNIT      API CODE      CURVE DESCRIPTION
#---------    -------------   ------------------------------
 DEPT.M                      :  1  DEPTH
 RHOB.G/C3                   :  2  BULK DENSITY
 GR  .GAPI                   :  3  GAMMA RAY
 DT  .US/F                   :  4  SONIC TRANSIT TIME
~A  DEPTH     RHOB     GR       DT
1670.000     2.550   40.100   90.000
1669.750     2.560   -999.25  91.000
1669.500     2.570   42.300   92.000
1669.250     2.580   43.400   -999.2500
