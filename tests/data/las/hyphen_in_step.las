~VERSION INFORMATION
 VERS.                  2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                   NO:   ONE LINE PER DEPTH STEP
~WELL INFORMATION BLOCK
#MNEM.UNIT      DATA             DESCRIPTION
#---- ------ --------------   -----------------------------
 STRT.F          8000.0000:    START DEPTH
 STOP.F          8001.5000:    STOP DEPTH
 STEP.F             0.5000:    STEP - SAMPLE INTERVAL
 NULL.           -999.2500:    NULL VALUE
~CURVE INFORMATION
 DEPT.F                      :  1  DEPTH
 GR  .GAPI                   :  2  GAMMA RAY
~A
8000.0  50.0
8000.5  51.0
8001.0  52.0
8001.5  53.0
