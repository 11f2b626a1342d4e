<S1F1 P Are You There
>

<S1F2 S On Line Data
  <L 2 Equipment 
    <A 20 MDLN >
    <A 20 SOFTREV >
  >
>

<S1F3 P Selected Equipment Status Request
  <L n SVIDs 
    <U4 1 SVID >
  >
>

<S1F4 S Selected Equipment Status Data
  <L n SVs 
    <A 40 SV >
  >
>

<S1F11 P Status Variable Namelist Request
  <L n SVIDs 
    <U4 1 SVID >
  >
>

<S1F12 S Status Variable Namelist Reply
  <L n Names 
    <L 3 Name 
      <U4 1 SVID >
      <A 40 SVNAME >
      <A 10 UNITS >
    >
  >
>

<S1F13 P Establish Communications Request
  <L 2 Equipment 
    <A 20 MDLN >
    <A 20 SOFTREV >
  >
>

<S1F14 S Establish Communications Request Acknowledge
  <L 2 Ack 
    <BINARY 1 COMMACK >
    <L 2 Equipment 
      <A 20 MDLN >
      <A 20 SOFTREV >
    >
  >
>

<S1F15 P Request OFF-LINE
>

<S1F16 S OFF-LINE Acknowledge
  <BINARY 1 OFLACK >
>

<S1F17 P Request ON-LINE
>

<S1F18 S ON-LINE Acknowledge
  <BINARY 1 ONLACK >
>

<S2F13 P Equipment Constant Request
  <L n ECIDs 
    <U4 1 ECID >
  >
>

<S2F14 S Equipment Constant Data
  <L n ECVs 
    <F4 1 ECV >
  >
>

<S2F15 P New Equipment Constant Send
  <L n Constants 
    <L 2 Constant 
      <U4 1 ECID >
      <F4 1 ECV >
    >
  >
>

<S2F16 S New Equipment Constant Acknowledge
  <BINARY 1 EAC >
>

<S2F17 P Date and Time Request
>

<S2F18 S Date and Time Data
  <A 16 TIME >
>

<S2F31 P Date and Time Set Request
  <A 16 TIME >
>

<S2F32 S Date and Time Set Acknowledge
  <BINARY 1 TIACK >
>

<S2F33 P Define Report
  <L 2 Define 
    <U4 1 DATAID >
    <L n Reports 
      <L 2 Report 
        <U4 1 RPTID >
        <L n VIDs 
          <U4 1 VID >
        >
      >
    >
  >
>

<S2F34 S Define Report Acknowledge
  <BINARY 1 DRACK >
>

<S2F35 P Link Event Report
  <L 2 Link 
    <U4 1 DATAID >
    <L n Events 
      <L 2 Event 
        <U4 1 CEID >
        <L n RPTIDs 
          <U4 1 RPTID >
        >
      >
    >
  >
>

<S2F36 S Link Event Report Acknowledge
  <BINARY 1 LRACK >
>

<S2F37 P Enable/Disable Event Report
  <L 2 Enable 
    <BOOL 1 CEED >
    <L n CEIDs 
      <U4 1 CEID >
    >
  >
>

<S2F38 S Enable/Disable Event Report Acknowledge
  <BINARY 1 ERACK >
>

<S2F41 P Host Command Send
  <L 2 Command 
    <A 20 RCMD >
    <L n Parameters 
      <L 2 Parameter 
        <A 20 CPNAME >
        <A 40 CPVAL >
      >
    >
  >
>

<S2F42 S Host Command Acknowledge
  <L 2 Ack 
    <BINARY 1 HCACK >
    <L n Parameters 
      <L 2 Parameter 
        <A 20 CPNAME >
        <BINARY 1 CPACK >
      >
    >
  >
>

<S5F1 P Alarm Report Send
  <L 3 Alarm 
    <BINARY 1 ALCD >
    <U4 1 ALID >
    <A 40 ALTX >
  >
>

<S5F2 S Alarm Report Acknowledge
  <BINARY 1 ACKC5 >
>

<S5F3 P Enable/Disable Alarm Send
  <L 2 Alarm 
    <BINARY 1 ALED >
    <U4 1 ALID >
  >
>

<S5F4 S Enable/Disable Alarm Acknowledge
  <BINARY 1 ACKC5 >
>

<S6F11 P Event Report Send
  <L 3 Report 
    <U4 1 DATAID >
    <U4 1 CEID >
    <L n RPT 
      <L 2 RptBody 
        <U4 1 RPTID >
        <L n V 
          <A 40 VALUE >
        >
      >
    >
  >
>

<S6F12 S Event Report Acknowledge
  <BINARY 1 ACKC6 >
>

<S9F11 N Data Too Long
  <BINARY 10 MHEAD >
>

<S10F1 P Terminal Request
  <L 2 Terminal 
    <BINARY 1 TID >
    <A 80 TEXT >
  >
>

<S10F2 S Terminal Request Acknowledge
  <BINARY 1 ACKC10 >
>

<S10F3 P 터미널 표시 (단일)
  <L 2 Terminal 
    <BINARY 1 TID >
    <A 80 TEXT >
  >
>

<S10F4 S 터미널 표시 응답
  <BINARY 1 ACKC10 >
>

