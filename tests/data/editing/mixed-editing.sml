<S1F1 P 
>

<S1F2 S On Line Data
  <L 0 Equipment 
  >
>

<S1F3 P Are You There
  <L 2 Equipment 
    <A 20 MDLN >
    <U4 n PARAMS >
  >
>

<S2F41 P Remote Command
  <L 2 Body 
    <BINARY 4 Code >
    <A 20 MDLN >
  >
>

